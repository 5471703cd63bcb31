#include "menuorv.h"
#include "record/outputrecorder.h"
#include "ui/maps/commandlinemap.h"
#include "ui/platform/interfacelanguage.h"
#include "ui/platform/qtdialogs.h"
#include "ui/platform/usersettings.h"
#include "ui/report/commandlinereport.h"
#include "version.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QFileInfo>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

#include <cstdio>
#include <cstring>

namespace {

void printErr(const QString& line) {
    std::fputs(qUtf8Printable(line + u'\n'), stderr);
}

// True when the command line asks for a report, a map, the version or the
// help, which need no display.
bool needsNoDisplay(int argc, char* argv[]) {
    for (int i = 1; i < argc; ++i) {
        const char* arg = argv[i];
        for (const char* option : {"--report", "--map"})
            if (const std::size_t length = std::strlen(option);
                std::strncmp(arg, option, length) == 0 && (arg[length] == 0 || arg[length] == '='))
                return true;
        for (const char* option : {"--version", "-v", "--help", "-h", "--help-all"})
            if (std::strcmp(arg, option) == 0)
                return true;
    }
    return false;
}

// The command line's options: help, version, the workbook, --report, --map
// with its options and the matrix options of both. Returns the --report and
// --map options.
std::pair<QCommandLineOption, QCommandLineOption> addOptions(QCommandLineParser& parser) {
    parser.setApplicationDescription(
        QStringLiteral("Indici sintetici, graduatorie e confronto dei metodi."));
    parser.addHelpOption();
    parser.addVersionOption();
    parser.addPositionalArgument(
        QStringLiteral("cartella"),
        QStringLiteral("la cartella di lavoro da selezionare (facoltativa)"),
        QStringLiteral("[CARTELLA_DI_LAVORO]"));
    const QCommandLineOption report(
        QStringLiteral("report"),
        QStringLiteral("scrive il rapporto PDF dei risultati della cartella di lavoro ed esce"),
        QStringLiteral("FILE.pdf"));
    parser.addOption(report);
    const QCommandLineOption map(
        QStringLiteral("map"),
        QStringLiteral("disegna la mappa di un risultato della cartella di lavoro ed esce"),
        QStringLiteral("CARTELLA_DI_LAVORO"));
    parser.addOption(map);
    parser.addOptions(mapOptions());
    // The report and the map load the matrix as the batch commands do.
    parser.addOptions(matrixOptions());
    return {report, map};
}

QString reportUsage() {
    return QStringLiteral("Uso: orvalta --report FILE.pdf CARTELLA_DI_LAVORO") + matrixUsage();
}

// False, with the usage printed, when a matrix option is given without
// --report or --map, or an option of the map without --map.
bool matrixOptionsOnlyWithReport(const QCommandLineParser& parser, const QCommandLineOption& report,
                                 const QCommandLineOption& map) {
    if (!parser.isSet(map))
        for (const QCommandLineOption& option : mapOptions())
            if (parser.isSet(option)) {
                printErr(QStringLiteral("L'opzione --%1 vale solo con --map.\n")
                             .arg(option.names().constFirst()) +
                         mapUsage());
                return false;
            }
    if (parser.isSet(report) || parser.isSet(map))
        return true;
    for (const QCommandLineOption& option : matrixOptions())
        if (parser.isSet(option)) {
            printErr(QStringLiteral("L'opzione --%1 vale solo con --report.\n")
                         .arg(option.names().constFirst()) +
                     reportUsage());
            return false;
        }
    return true;
}

// The warnings and the failure of a command line's work on stderr; the
// exit status.
int finished(const Status& written, const QStringList& warnings) {
    for (const QString& warning : warnings)
        printErr(warning);
    if (!written) {
        printErr(written.error().message);
        return 1;
    }
    return 0;
}

// Writes the report that the command line asks for; the exit status.
int writeReport(const QCommandLineParser& parser, const QCommandLineOption& report) {
    const QStringList files = parser.positionalArguments();
    if (files.size() != 1) {
        printErr(reportUsage());
        return 1;
    }
    const Expected<MatrixChoices> choices = matrixChoices(parser);
    if (!choices) {
        printErr(choices.error().message);
        return 1;
    }
    QStringList warnings;
    setRecordActor(
        {QStringLiteral("orvalta --report ") + parser.value(report) + u' ' + files.first(), {}});
    const Status written = reportFromCommandLine(parser.value(report), files.first(),
                                                 Regional::system(), *choices, &warnings);
    return finished(written, warnings);
}

// Writes the map that the command line asks for; the exit status.
int writeMap(const QCommandLineParser& parser, const QCommandLineOption& map) {
    if (!parser.positionalArguments().isEmpty()) {
        printErr(mapUsage());
        return 1;
    }
    const Expected<MapRequest> request = mapRequest(parser, parser.value(map));
    if (!request) {
        printErr(request.error().message);
        return 1;
    }
    QStringList warnings;
    setRecordActor({QStringLiteral("orvalta --map ") + request->workbook, {}});
    const Status written = writeMapFromCommandLine(*request, Regional::system(), &warnings);
    return finished(written, warnings);
}

// Shows the main window, with the workbook of the command line selected,
// and runs the windows until they close.
int runWindows(QApplication& app, const QStringList& files) {
    // The windows speak English under an English interface language, Italian
    // (with Qt's own dialogs and buttons) under any other. The report and the
    // files stay Italian.
    installInterfaceLanguage(app, QLocale::system().uiLanguages());

    // The windows remember the user's workbooks, folders, sizes and choices.
    if (const QString warning = UserSettings::useUserStore(); !warning.isEmpty())
        printErr(warning);
    QtDialogs dialogs;
    MenuORV window(Module1(), dialogs, Regional::system());
    if (!files.isEmpty())
        window.selectWorkbook(QFileInfo(files.first()).absoluteFilePath());
    window.show();
    return QApplication::exec();
}

} // namespace

int main(int argc, char* argv[]) {
    if (needsNoDisplay(argc, argv) && qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Orvalta"));
    QApplication::setApplicationVersion(QStringLiteral(ORVALTA_VERSION));

    // The command line speaks Italian whatever the interface language, with
    // Qt's own texts of its options in Italian too when the system has them.
    QTranslator qtItalian;
    if (qtItalian.load(QStringLiteral("qtbase_it"),
                       QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QCoreApplication::installTranslator(&qtItalian);

    QCommandLineParser parser;
    const auto [report, map] = addOptions(parser);
    parser.process(app);
    if (!matrixOptionsOnlyWithReport(parser, report, map))
        return 1;
    if (parser.isSet(report))
        return writeReport(parser, report);
    if (parser.isSet(map))
        return writeMap(parser, map);

    QCoreApplication::removeTranslator(&qtItalian);
    return runWindows(app, parser.positionalArguments());
}
