// The English catalogue of the windows and the choice of the language. Runs
// under LANGUAGE=en (see tests/CMakeLists.txt).
#include "helpwindow.h"
#include "menuorv.h"
#include "support/guitestsupport.h"
#include "support/recordingdialogs.h"
#include "ui/audit/auditfigures.h"
#include "ui/grid/texttablemodel.h"
#include "ui/platform/backgroundwork.h"
#include "ui/platform/clockstatusbar.h"
#include "ui/platform/interfacelanguage.h"
#include "version.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QGroupBox>
#include <QProcess>
#include <QPushButton>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBrowser>
#include <QXmlStreamReader>

class TestTranslation : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void catalogueComplete();
    void languageChoice_data();
    void languageChoice();
    void windowsInEnglish();
};

namespace {

// The placeholders of a text, sorted: "%2 ... %1" gives "%1%2".
QString placeholders(const QString& text) {
    QStringList found;
    for (const QRegularExpressionMatch& m :
         QRegularExpression(QStringLiteral("%\\d")).globalMatch(text))
        found.append(m.captured());
    found.sort();
    return found.join(QString());
}

} // namespace

// The catalogue, brought up to date with the sources as `orvalta_lupdate`
// would, has a finished translation for every text, with the same
// placeholders and the same surrounding blanks.
void TestTranslation::catalogueComplete() {
    QTemporaryDir dir;
    const QString ts = dir.filePath(QStringLiteral("orvalta_en.ts"));
    QVERIFY(QFile::copy(QStringLiteral(ORVALTA_TS_FILE), ts));
    QFile::setPermissions(ts, QFile::ReadOwner | QFile::WriteOwner);
    QProcess lupdate;
    lupdate.setWorkingDirectory(QStringLiteral(ORVALTA_SOURCE_DIR));
    lupdate.start(QStringLiteral(ORVALTA_LUPDATE),
                  {QStringLiteral("-silent"), QStringLiteral("-locations"), QStringLiteral("none"),
                   QStringLiteral("-no-obsolete"), QStringLiteral("src"), QStringLiteral("app"),
                   QStringLiteral("-ts"), ts});
    QVERIFY(lupdate.waitForFinished(120000));
    QCOMPARE(lupdate.exitCode(), 0);

    QFile file(ts);
    QVERIFY(file.open(QIODevice::ReadOnly));
    QXmlStreamReader xml(&file);
    QStringList faults;
    QString source;
    int messages = 0;
    while (!xml.atEnd()) {
        if (xml.readNext() != QXmlStreamReader::StartElement)
            continue;
        if (xml.name() == u"source") {
            source = xml.readElementText();
        } else if (xml.name() == u"translation") {
            const QString type = xml.attributes().value(QStringLiteral("type")).toString();
            const QString text = xml.readElementText();
            ++messages;
            if (!type.isEmpty() || text.isEmpty())
                faults.append(QStringLiteral("%1 [%2]").arg(source, type));
            else if (placeholders(text) != placeholders(source) ||
                     text.startsWith(u' ') != source.startsWith(u' ') ||
                     text.endsWith(u' ') != source.endsWith(u' ') ||
                     text.count(u'\n') != source.count(u'\n'))
                faults.append(source + QStringLiteral(" -> ") + text);
        }
    }
    QVERIFY2(!xml.hasError(), qPrintable(xml.errorString()));
    QVERIFY(messages > 300);
    QVERIFY2(faults.isEmpty(), qPrintable(faults.join(u'\n')));
}

void TestTranslation::languageChoice_data() {
    QTest::addColumn<QStringList>("uiLanguages");
    QTest::addColumn<bool>("english");
    QTest::newRow("LANGUAGE=en") << QStringList{"en", "en-Latn-US", "en-US"} << true;
    QTest::newRow("en_GB") << QStringList{"en-GB", "en-Latn-GB"} << true;
    QTest::newRow("en before it") << QStringList{"en_US", "it-IT"} << true;
    QTest::newRow("it before en") << QStringList{"it-IT", "it", "en"} << false;
    QTest::newRow("C") << QStringList{"C"} << false;
    QTest::newRow("German") << QStringList{"de-DE"} << false;
    QTest::newRow("none") << QStringList{} << false;
}

void TestTranslation::languageChoice() {
    QFETCH(QStringList, uiLanguages);
    QFETCH(bool, english);
    QCOMPARE(englishInterface(uiLanguages), english);
}

// The program's start under the test's English interface language: the main
// window, its messages, the core's messages and the audit's words shown in a
// window, and the guide are English.
void TestTranslation::windowsInEnglish() {
    BackgroundWork::setRevealDelay(0);
    QVERIFY(installInterfaceLanguage(*qApp, QLocale::system().uiLanguages()));

    SharedState state;
    RecordingDialogs dialogs;
    const Regional regional{QLocale::c()};
    MenuORV window(state, dialogs, regional);
    window.show();
    const auto button = [&](const char* name) {
        return window.findChild<QPushButton*>(QString::fromLatin1(name));
    };
    // The captions as translated, a letter underlined.
    const auto caption = [&](const char* name) { return button(name)->text().remove(u'&'); };
    QCOMPARE(caption("cmdSelect"), QStringLiteral("Select Matrix"));
    QCOMPARE(caption("cmdElaborazione"), QStringLiteral("Run methods"));
    QCOMPARE(caption("cmdComparazione"), QStringLiteral("Compare methods"));
    QCOMPARE(window.findChild<ClockStatusBar*>()->panelText(),
             QStringLiteral("Select the source matrix"));

    QTest::mouseClick(button("cmdSelect"), Qt::LeftButton);
    QCOMPARE(dialogs.workbookRequests.size(), 1);
    QCOMPARE(dialogs.workbookRequests[0].title, QStringLiteral("Select the source matrix"));
    QVERIFY(dialogs.workbookRequests[0].filter.startsWith(QStringLiteral("Matrices (")));
    QCOMPARE(dialogs.messageTexts(), QStringList{"Selection cancelled by the user"});

    // A workbook that is gone by the time the processing window reads it.
    QTemporaryDir dir;
    const QString gone = dir.filePath(QStringLiteral("gone.xlsx"));
    window.selectWorkbook(gone);
    QTest::mouseClick(button("cmdElaborazione"), Qt::LeftButton);
    QCOMPARE(dialogs.messages.size(), 2);
    QCOMPARE(dialogs.messages[1].text,
             QStringLiteral("The file %1 does not exist.").arg(QDir::toNativeSeparators(gone)));
    QCOMPARE(window.indiceMP()->findChild<QGroupBox*>(QStringLiteral("frmMatrice"))->title(),
             QStringLiteral("Data matrix"));
    QCOMPARE(window.windowTitle(), QStringLiteral("Orvalta - Version " ORVALTA_VERSION));

    // The guide in English: the README's part for users.
    QVERIFY(HelpWindow::guideText().contains(QStringLiteral("## Using the program")));
    QVERIFY(
        window.showUserGuide()->browser()->toPlainText().contains(QStringLiteral("Select Matrix")));

    // The audit's words in English in the grids; its files keep theirs.
    const AuditFigures audit =
        auditFigures(matrixFrom(skewedProvinces()), nullptr,
                     dir.filePath(QStringLiteral("province.xlsx")), regional);
    QVERIFY(audit.written);
    TextTableModel indicators(regional);
    indicators.setTable(audit.indicators);
    QCOMPARE(indicators.gridText(0, 1), QStringLiteral("Polarity"));
    QCOMPARE(indicators.gridText(0, 8), QStringLiteral("Outlier"));
    QCOMPARE(indicators.gridText(1, 8), QStringLiteral("yes"));
    QCOMPARE(indicators.gridText(2, 8), QStringLiteral("no"));
    TextTableModel coherence(regional);
    coherence.setTable(audit.coherence);
    QCOMPARE(coherence.gridText(0, 0), QStringLiteral("Group"));
    QCOMPARE(coherence.gridText(1, 0), QStringLiteral("All indicators"));
    QVERIFY(fileContents(audit.files.first()).startsWith("Indicatore;Polarita;"));
}

QTEST_MAIN(TestTranslation)
#include "tst_translation.moc"
