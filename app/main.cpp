#include "menuorv.h"
#include "ui/platform/qtdialogs.h"

#include <QApplication>
#include <QLibraryInfo>
#include <QTranslator>

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Orvalta"));
    QApplication::setApplicationVersion(QStringLiteral("1.2"));

    // The program speaks Italian: so do Qt's own dialogs and buttons.
    QTranslator qtTranslator;
    if (qtTranslator.load(QStringLiteral("qtbase_it"),
                          QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QApplication::installTranslator(&qtTranslator);

    QtDialogs dialogs;
    MenuORV window(Module1(), dialogs, Regional::system());
    window.show();
    return QApplication::exec();
}
