#include "methods/metodi.h"
#include "shared/resultnames.h"

#include <QTest>

class TestResultNames : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void namesAndRoundTrip_data();
    void namesAndRoundTrip();
    void namesThatAreNoValuesResult_data();
    void namesThatAreNoValuesResult();
    void proposedNames();
    void writtenByProgram_data();
    void writtenByProgram();
};

namespace {

// The codes each kind is built with: the method codes, the AMPI signs, or none.
QStringList codesOf(ResultFileKind kind) {
    switch (kind) {
    case ResultFileKind::MethodValues:
    case ResultFileKind::MethodRanks:
    case ResultFileKind::Sensitivity:
    case ResultFileKind::GroupValues:
    case ResultFileKind::GroupRanks:
    case ResultFileKind::MethodCoherence:
    case ResultFileKind::Weights:
        return methodCodes();
    case ResultFileKind::AmpiValues:
    case ResultFileKind::AmpiRanks:
    case ResultFileKind::AmpiGroupValues:
    case ResultFileKind::AmpiGroupRanks:
        return {"+", "-"};
    default:
        return {QString()};
    }
}

// The suffix every kind has after the workbook's name, code "C".
QString suffixOf(ResultFileKind kind) {
    const char* suffixes[] = {".outC.csv",
                              ".outC.rnk",
                              ".val.csv",
                              ".rnk.csv",
                              ".rob.csv",
                              ".sensC.csv",
                              ".unc.csv",
                              ".AMPIC.csv",
                              ".AMPIC.rnk.csv",
                              ".goalposts.csv",
                              ".struttura.csv",
                              ".metodi.csv",
                              ".dimC.csv",
                              ".dimC.rnk.csv",
                              ".AMPIC.dim.csv",
                              ".AMPIC.dim.rnk.csv",
                              ".audit.csv",
                              ".correlazioni.csv",
                              ".correlazioni.spearman.csv",
                              ".coerenza.csv",
                              ".pca.csv",
                              ".trattamenti.csv",
                              ".trattati.csv",
                              ".mc.csv",
                              ".sobol.csv",
                              ".sobol.unita.csv",
                              ".copertura.csv",
                              ".imputati.csv",
                              ".coerenza.C.csv",
                              ".pesi.C.csv",
                              ".registro.json"};
    return QString::fromLatin1(suffixes[int(kind)]);
}

} // namespace

void TestResultNames::namesAndRoundTrip_data() {
    QTest::addColumn<QString>("strMatrice");
    QTest::newRow("path") << "/dati/Regioni.xls";
    QTest::newRow("bare name") << "Regioni.xlsx";
    QTest::newRow(".out in the workbook's name") << "/dati/a.out.xls";
    QTest::newRow("workbook named like a result") << "/dati/r.outGRAD";
    QTest::newRow("no extension") << "/dati/r";
}

void TestResultNames::namesAndRoundTrip() {
    QFETCH(QString, strMatrice);
    QCOMPARE(methodCodes().size(), qsizetype(methodTable().size()));
    for (const ResultFileKind kind : kResultFileKinds) {
        QCOMPARE(hasCode(kind), suffixOf(kind).contains(u'C'));
        for (const QString& code : codesOf(kind)) {
            const QString name = resultFileName(strMatrice, kind, code);
            QCOMPARE(name, strMatrice + QString(suffixOf(kind)).replace(u'C', code));
            const auto parsed = parseResultFileName(strMatrice, name);
            QVERIFY2(parsed && *parsed == (ResultFileName{kind, code}), qPrintable(name));
            const bool values = kind == ResultFileKind::MethodValues;
            const bool method = values || kind == ResultFileKind::MethodRanks;
            QCOMPARE(methodCodeOfResultFile(name), method ? code : QString());
            QCOMPARE(matchesValuesResultPattern(strMatrice, name.section(u'/', -1)), values);
            if (values)
                QCOMPARE(ranksFileFor(name),
                         resultFileName(strMatrice, ResultFileKind::MethodRanks, code));
            // The files of a workbook are nobody else's.
            QVERIFY(!parseResultFileName(QStringLiteral("/dati/altro.xls"), name));
        }
    }
}

void TestResultNames::namesThatAreNoValuesResult_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<bool>("listed");  // by the comparison's pattern for Regioni.xls
    QTest::addColumn<QString>("code"); // told without the workbook
    QTest::newRow("the workbook") << "Regioni.xls" << false << QString();
    QTest::newRow("another workbook's result") << "Regioni.xlsx.outGRAD.csv" << false << "GRAD";
    QTest::newRow("no code") << "Regioni.xls.out.csv" << true << QString();
    QTest::newRow("code with a dot") << "Regioni.xls.outX.rob.csv" << true << QString();
    QTest::newRow("comparison of a workbook named .out")
        << "Regioni.xls.outGRAD.val.csv" << false << QString();
    QTest::newRow("ranks comparison") << "Regioni.xls.outM1NI.rnk.csv" << false << QString();
    QTest::newRow("upper-case suffix") << "Regioni.xls.outGRAD.CSV" << false << QString();
}

// Names the comparison may list by its wildcard but that are no values
// result of the workbook, and names it must not list at all.
void TestResultNames::namesThatAreNoValuesResult() {
    QFETCH(QString, name);
    QFETCH(bool, listed);
    QFETCH(QString, code);
    const QString strMatrice = QStringLiteral("/dati/Regioni.xls");
    QCOMPARE(matchesValuesResultPattern(strMatrice, name), listed);
    const auto parsed = parseResultFileName(strMatrice, name);
    QVERIFY(!parsed || parsed->kind != ResultFileKind::MethodValues);
    QCOMPARE(methodCodeOfResultFile(name), code);
}

void TestResultNames::proposedNames() {
    const QString strMatrice = QStringLiteral("/dati/Regioni.xls");
    QCOMPARE(resultsWorkbookFileName(strMatrice), "/dati/Regioni.xls.risultati.xlsx");
    QCOMPARE(reportFileName(strMatrice), "/dati/Regioni.xls.rapporto.pdf");
    QCOMPARE(chartFileName(strMatrice, ChartFile::AmpiPlus), "/dati/Regioni.xls.AMPI+.png");
}

void TestResultNames::writtenByProgram_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<bool>("written");
    const QString xls = QStringLiteral("Regioni.xls");
    QTest::newRow("values result") << "Regioni.xls.outMPI+.csv" << true;
    QTest::newRow("ranks comparison, path") << "/dati/Regioni.ods.rnk.csv" << true;
    QTest::newRow("analysis of a csv matrix") << "dati.csv.unc.csv" << true;
    QTest::newRow("coverage") << "Regioni.xlsx.copertura.csv" << true;
    QTest::newRow("imputed cells") << "Regioni.xlsx.imputati.csv" << true;
    QTest::newRow("treated cells") << "Regioni.xlsx.trattati.csv" << true;
    QTest::newRow("results workbook") << resultsWorkbookFileName(xls) << true;
    QTest::newRow("report") << reportFileName(xls) << true;
    QTest::newRow("chart") << chartFileName(xls, ChartFile::Bump) << true;
    QTest::newRow("chart as SVG") << "Regioni.xls.sobol.svg" << true;
    QTest::newRow("workbook extension in capitals") << "REGIONI.XLS.rob.csv" << true;
    QTest::newRow("hidden workbook") << ".r.tsv.mc.csv" << true;
    QTest::newRow("workbook with dots") << "a.b.xls.audit.csv" << true;
    QTest::newRow("the workbook") << xls << false;
    QTest::newRow("matrix named like an analysis") << "spesa.rob.csv" << false;
    QTest::newRow("matrix named like an export") << "regioni.risultati.xlsx" << false;
    QTest::newRow("matrix named after a workbook") << "Regioni.xls.csv" << false;
    QTest::newRow("the user's structure") << "Regioni.xls.struttura.csv" << false;
    QTest::newRow("the user's composites") << "Regioni.xls.metodi.csv" << false;
    QTest::newRow("unknown chart") << "Regioni.xls.torta.png" << false;
    QTest::newRow("chart in another format") << "Regioni.xls.ranghi.jpg" << false;
}

// What the matrix dialog hides: only what the program wrote beside a workbook.
void TestResultNames::writtenByProgram() {
    QFETCH(QString, name);
    QFETCH(bool, written);
    QCOMPARE(isWrittenByProgram(name), written);
}

QTEST_APPLESS_MAIN(TestResultNames)
#include "tst_resultnames.moc"
