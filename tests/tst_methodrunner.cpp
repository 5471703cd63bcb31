#include "comparison/comparison.h"
#include "comparison/comparisonfiles.h"
#include "comparison/resultfilelisting.h"
#include "methods/methodrunner.h"
#include "methods/metodi.h"
#include "methods/resultfiles.h"
#include "support/testsupport.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTest>

using Rows = std::vector<std::vector<CellValue>>;

class TestMethodRunner : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void init();
    void writesBothFiles();
    void tablesAfterRun();
    void tiesByFourDecimalText();
    void fieldsInGeneralForm();
    void lineBreaksInLabelsWriteOneLine();
    void refusedRunChangesNothing();
    void writeFailureKeepsEarlierFiles();
    void allNineMethods();

private:
    SharedState loaded(const Rows& rows) const;
    MethodRunResult run(SharedState& s, int position);

    std::unique_ptr<QTemporaryDir> m_dir;
    MethodRunner m_runner;
};

namespace {
const Regional kItalian{QLocale(QLocale::Italian, QLocale::Italy)};
const Regional kC{QLocale::c()};
CellValue t(const char* text) {
    return CellValue(QString::fromUtf8(text));
}

QByteArray contents(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return QByteArray("<missing>");
    return file.readAll();
}

const Rows kProvince{{t("Provincia"), t("Reddito"), t("disoccupati")},
                     {t("Alfa"), 30.0, 5.0},
                     {t("Beta"), 10.0, 9.0},
                     {t("Città;Sud"), 20.0, 7.0}};
} // namespace

void TestMethodRunner::init() {
    m_dir = std::make_unique<QTemporaryDir>();
    QVERIFY(m_dir->isValid());
    m_runner = MethodRunner();
}

SharedState TestMethodRunner::loaded(const Rows& rows) const {
    SharedState s = statoDa(rows);
    s.strCartella = m_dir->path();
    s.strMatrice = m_dir->filePath(QStringLiteral("Regioni.xls"));
    for (int r = 2; r <= s.nRighe; ++r)
        for (int c = 2; c <= s.nColonne; ++c) {
            s.bNegativi = s.bNegativi || s.matDati.cell(r, c).number() < 0;
            s.bZeri = s.bZeri || s.matDati.cell(r, c).number() == 0;
        }
    return s;
}

MethodRunResult TestMethodRunner::run(SharedState& s, int position) {
    const auto& method = methodTable()[static_cast<std::size_t>(position)];
    return m_runner.run(s, position, method.entryText, kItalian);
}

void TestMethodRunner::writesBothFiles() {
    SharedState s = loaded(kProvince);
    const MethodRunResult result = run(s, 5); // relative indices
    QVERIFY2(result.done(), qPrintable(result.message));
    QCOMPARE(result.valuesFile, s.strMatrice + ".outINRE.csv");
    QCOMPARE(result.ranksFile, s.strMatrice + ".outINRE.rnk");
    // Reddito: 1, 0, 0.5; disoccupati (negative): 1, 0, 0.5. The label
    // holding ";" is quoted.
    QCOMPARE(contents(result.valuesFile),
             QByteArray("Provincia;IR\r\nAlfa;1,0000\r\nBeta;0,0000\r\n"
                        "\"Citt\xC3\xA0;Sud\";0,5000\r\n"));
    QCOMPARE(contents(result.ranksFile),
             QByteArray("Provincia;IR\r\nAlfa;1\r\nBeta;3\r\n\"Citt\xC3\xA0;Sud\";2\r\n"));

    // The code is the first four characters of the entry, blanks never reach the name.
    QVERIFY(run(s, 1).done());
    QVERIFY(QFile::exists(s.strMatrice + ".outMPI-.csv"));
    QVERIFY(QFile::exists(s.strMatrice + ".outMPI-.rnk"));
    QCOMPARE(contents(s.strMatrice + ".outMPI-.csv").left(15), QByteArray("Provincia;MPI-\r"));
}

void TestMethodRunner::tablesAfterRun() {
    SharedState s = loaded(kProvince);
    QVERIFY(!s.bRisultati);
    QVERIFY(run(s, 2).done()); // Wroclaw, ascending
    QVERIFY(s.bRisultati);
    QCOMPARE(s.matGraduatoria, s.matValori);
    QCOMPARE(s.matRanghi.cell(1, 1), t("Provincia"));
    QCOMPARE(s.matRanghi.cell(1, 2), t("Wroclaw"));
    QCOMPARE(s.matRanghi.cell(4, 1), t("Città;Sud"));
    // Alfa holds the best value of both indicators: distance 0, rank 1.
    QCOMPARE(kItalian.indexText(s.matValori(2, 2)), QStringLiteral("0,0000"));
    QCOMPARE(s.matRanghi.cell(2, 2), CellValue(1.0));
    QCOMPARE(s.matRanghi.cell(3, 2), CellValue(3.0));
    QCOMPARE(s.matTrasformata.cell(1, 2), t("Z_Reddito"));

    // A second run replaces every table; the result files of both stay.
    QVERIFY(run(s, 4).done());
    QCOMPARE(s.matValori.cell(1, 2), t("Grad.RNK"));
    QCOMPARE(s.matTrasformata.cell(1, 3), t("R_disoccupati"));
    QCOMPARE(s.matGraduatoria, s.matValori);
    QVERIFY(QFile::exists(s.strMatrice + ".outWROC.csv"));
    QVERIFY(QFile::exists(s.strMatrice + ".outGRAD.rnk"));
}

void TestMethodRunner::tiesByFourDecimalText() {
    // Equal index values: the later unit ranks first (M1VZ, z-scores -1 and 1).
    SharedState s =
        loaded({{t("P"), t("Ind")}, {t("a"), -1.0}, {t("b"), 1.0}, {t("c"), -1.0}, {t("d"), 1.0}});
    QVERIFY(run(s, 3).done());
    QCOMPARE(s.matRanghi.cell(2, 2), CellValue(4.0));
    QCOMPARE(s.matRanghi.cell(3, 2), CellValue(2.0));
    QCOMPARE(s.matRanghi.cell(4, 2), CellValue(3.0));
    QCOMPARE(s.matRanghi.cell(5, 2), CellValue(1.0));

    // Values that differ only beyond the fourth decimal tie on their text.
    SharedState near =
        loaded({{t("P"), t("Ind")}, {t("a"), 0.50001}, {t("b"), 0.50004}, {t("c"), 0.0}});
    QVERIFY(run(near, 6).done()); // ANIM: x / mean; mean = 0.33335
    const QString a = kItalian.indexText(near.matValori(2, 2));
    const QString b = kItalian.indexText(near.matValori(3, 2));
    QCOMPARE(a, QStringLiteral("1,5000"));
    QCOMPARE(b, a);
    QCOMPARE(near.matRanghi.cell(3, 2), CellValue(1.0));
    QCOMPARE(near.matRanghi.cell(2, 2), CellValue(2.0));
}

void TestMethodRunner::fieldsInGeneralForm() {
    // A numeric unit label is written in general form (2015, not 2015,0000);
    // an empty corner makes the header line begin with the separator.
    SharedState s = loaded({{CellValue(), t("Ind")}, {2015.0, 1.0}, {2016.5, 3.0}});
    QVERIFY(run(s, 4).done());
    QCOMPARE(contents(s.strMatrice + ".outGRAD.csv"),
             QByteArray(";Grad.RNK\r\n2015;0,0000\r\n2016,5;-0,2000\r\n"));
    QCOMPARE(contents(s.strMatrice + ".outGRAD.rnk"),
             QByteArray(";Grad.RNK\r\n2015;2\r\n2016,5;1\r\n"));

    // Under C settings the same file uses the point.
    MethodRunner runner;
    QVERIFY(runner.run(s, 4, methodTable()[4].entryText, kC).done());
    QCOMPARE(contents(s.strMatrice + ".outGRAD.csv"),
             QByteArray(";Grad.RNK\r\n2015;0.0000\r\n2016.5;-0.2000\r\n"));

    // Large numeric labels take the exponent letter E under every setting.
    s.matDati.label(2) = 1e15;
    s.matDati.label(3) = -2.5e-7;
    for (const Regional& regional : {kC, kItalian}) {
        QVERIFY(runner.run(s, 4, methodTable()[4].entryText, regional).done());
        const QByteArray lines = contents(s.strMatrice + ".outGRAD.rnk");
        QVERIFY2(lines.contains("\r\n1E+15;2\r\n") && lines.contains("-2") &&
                     lines.contains("5E-07;1\r\n"),
                 lines.constData());
    }
}

void TestMethodRunner::lineBreaksInLabelsWriteOneLine() {
    // Cells typed on several lines: each break is one space in the files,
    // and the tables keep the text as read.
    SharedState s = loaded({{t("Pro\r\nvincia"), t("Red\ndito"), t("disoccupati")},
                            {t("Alfa\nNord"), 30.0, 5.0},
                            {t("Beta\rSud"), 10.0, 9.0},
                            {t("Gamma\r\n\r\n"), 20.0, 7.0}});
    QVERIFY(run(s, 3).done());
    QVERIFY(run(s, 4).done());
    QCOMPARE(s.matValori.label(2), t("Alfa\nNord"));
    QCOMPARE(contents(s.strMatrice + ".outGRAD.rnk"),
             QByteArray("Pro vincia;Grad.RNK\r\nAlfa Nord;1\r\nBeta Sud;3\r\nGamma  ;2\r\n"));
    const ComparisonResult compared =
        compareMethods(m_dir->path(), valuesResultFiles(s.strMatrice), kItalian);
    QVERIFY2(compared.ok, qPrintable(compared.message));
    QCOMPARE(writeComparisonFiles(s.strMatrice, compared), QString());
    QCOMPARE(contents(s.strMatrice + ".rnk.csv"),
             QByteArray("Pro vincia;Grad.RNK;M1Z\r\nAlfa Nord;1;1\r\nBeta Sud;3;3\r\n"
                        "Gamma  ;2;2\r\n"));
}

void TestMethodRunner::refusedRunChangesNothing() {
    SharedState s = loaded({{t("P"), t("A"), t("B")}, {t("a"), -1.0, 2.0}, {t("b"), 3.0, 4.0}});
    QVERIFY(run(s, 3).done());
    const QByteArray before = contents(s.strMatrice + ".outM1VZ.csv");
    QVERIFY(QFile::copy(s.strMatrice + ".outM1VZ.csv", s.strMatrice + ".outM0NI.csv"));
    const SharedState after = s;
    s.bRisultati = false;
    for (const int position : {6, 7, 8}) {
        const MethodRunResult result = run(s, position);
        QCOMPARE(result.status, MethodRunResult::Status::Refused);
        QVERIFY(s.bRisultati); // set even when the method refuses
        QCOMPARE(s.matTrasformata, after.matTrasformata);
        QCOMPARE(s.matValori, after.matValori);
        QCOMPARE(s.matGraduatoria, after.matGraduatoria);
        QCOMPARE(s.matRanghi, after.matRanghi);
    }
    QCOMPARE(run(s, 7).message,
             QStringLiteral("GNIM - Il metodo non prevede valori negativi o nulli"));
    QVERIFY(!QFile::exists(s.strMatrice + ".outM1NI.csv"));
    QCOMPARE(contents(s.strMatrice + ".outM0NI.csv"), before); // an earlier file stays
}

void TestMethodRunner::writeFailureKeepsEarlierFiles() {
    SharedState s = loaded(kProvince);
    QVERIFY(run(s, 0).done());
    const QByteArray values = contents(s.strMatrice + ".outMPI+.csv");
    const SharedState after = s;

    // The ranks file's name is taken by a folder: neither file changes.
    QVERIFY(QFile::remove(s.strMatrice + ".outMPI+.rnk"));
    QVERIFY(QDir().mkdir(s.strMatrice + ".outMPI+.rnk"));
    SharedState other = loaded({{t("Provincia"), t("Reddito"), t("disoccupati")},
                                {t("Alfa"), 1.0, 2.0},
                                {t("Beta"), 3.0, 1.0}});
    other.matValori = after.matValori;
    const MethodRunResult result = run(other, 0);
    QCOMPARE(result.status, MethodRunResult::Status::WriteFailed);
    QVERIFY2(result.message.contains(QStringLiteral("Regioni.xls.outMPI+.rnk")),
             qPrintable(result.message));
    QCOMPARE(contents(s.strMatrice + ".outMPI+.csv"), values);
    QCOMPARE(other.matValori, after.matValori); // tables as they were
    QVERIFY(other.matTrasformata.cell(1, 1).isEmpty());
    QVERIFY(QFileInfo(s.strMatrice + ".outMPI+.rnk").isDir());

    // A folder that does not exist.
    SharedState lost = loaded(kProvince);
    lost.strMatrice = m_dir->filePath(QStringLiteral("missing/Regioni.xls"));
    const MethodRunResult missing = run(lost, 3);
    QCOMPARE(missing.status, MethodRunResult::Status::WriteFailed);
    QVERIFY(missing.message.startsWith(QStringLiteral("Impossibile scrivere il file")));
}

void TestMethodRunner::allNineMethods() {
    SharedState s = loaded(kProvince);
    for (const auto& method : methodTable())
        QVERIFY2(run(s, method.position).done(), qPrintable(method.entryText));
    const QStringList files = QDir(m_dir->path()).entryList(QDir::Files, QDir::Name);
    QCOMPARE(files.size(), 18);
    for (const QString& name : files)
        QVERIFY(name.startsWith(QStringLiteral("Regioni.xls.out")));
    // Running a method again leaves one pair of its files.
    QVERIFY(run(s, 0).done());
    QCOMPARE(QDir(m_dir->path()).entryList(QDir::Files).size(), 18);
    // The ranks of every file are 1..n exactly once.
    for (const auto& method : methodTable()) {
        const QString path = ranksResultFile(s.strMatrice, methodCode(method.entryText));
        const QList<QByteArray> lines = contents(path).split('\n');
        QSet<QByteArray> ranks;
        for (int i = 1; i <= 3; ++i)
            ranks.insert(lines[i].mid(lines[i].lastIndexOf(';') + 1).trimmed());
        QCOMPARE(ranks, (QSet<QByteArray>{"1", "2", "3"}));
    }
}

QTEST_APPLESS_MAIN(TestMethodRunner)
#include "tst_methodrunner.moc"
