#include "menuorv.h"
#include "ui/platform/qtdialogs.h"

#include <QApplication>

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Orvalta"));
    QApplication::setApplicationVersion(QStringLiteral("1.2"));

    QtDialogs dialogs;
    MenuORV window(Module1(), dialogs, Regional::system());
    window.show();
    return QApplication::exec();
}
