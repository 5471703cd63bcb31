#include "menuorv.h"
#include "ui/platform/qtdialogs.h"
#include "version.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QFileInfo>
#include <QLibraryInfo>
#include <QTranslator>

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Orvalta"));
    QApplication::setApplicationVersion(QStringLiteral(ORVALTA_VERSION));

    // The program speaks Italian: so do Qt's own dialogs and buttons.
    QTranslator qtTranslator;
    if (qtTranslator.load(QStringLiteral("qtbase_it"),
                          QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QApplication::installTranslator(&qtTranslator);

    QCommandLineParser parser;
    parser.setApplicationDescription(
        QStringLiteral("Indici sintetici, graduatorie e confronto dei metodi."));
    parser.addHelpOption();
    parser.addVersionOption();
    parser.addPositionalArgument(
        QStringLiteral("cartella"),
        QStringLiteral("la cartella di lavoro da selezionare (facoltativa)"),
        QStringLiteral("[CARTELLA_DI_LAVORO]"));
    parser.process(app);

    QtDialogs dialogs;
    MenuORV window(Module1(), dialogs, Regional::system());
    const QStringList files = parser.positionalArguments();
    if (!files.isEmpty())
        window.selezionaMatrice(QFileInfo(files.first()).absoluteFilePath());
    window.show();
    return QApplication::exec();
}
