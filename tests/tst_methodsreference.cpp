#include "robustness/sobolindices.h"
#include "support/testsupport.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

// The worked numbers of docs/methods.md against the program: every
// "<!-- check: ... -->" line there names a batch command on a sample
// workbook (or on a small file the document holds), a file it writes (or
// its standard output), a row and a column, and the number the document
// shows, which must be the program's to as many decimals as it is written
// with, and must stand in the text just above the comment.
class TestMethodsReference : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void workedNumbersMatchTheProgram();
};

namespace {

// A field of a ';' table (a file, or printed lines) or a number printed
// after a word: the row is the line that starts with row (its first
// fields); the column the header field named column (in the first line with
// a ';') or, in a line without ';', the text the number follows.
std::optional<QString> lookUp(const QString& text, const QString& row, const QString& column) {
    const QStringList lines = text.split(QLatin1Char('\n'));
    QString header;
    for (QString line : lines) {
        line = line.trimmed();
        if (header.isEmpty() && line.contains(QLatin1Char(';')))
            header = line;
        if (line.contains(QLatin1Char(';'))) {
            if (!line.startsWith(row + QLatin1Char(';')))
                continue;
            // The header named so, or else the first that begins with it
            // and a blank ("Scarto" for a longer header).
            const QStringList names = header.split(QLatin1Char(';'));
            qsizetype at = names.indexOf(column);
            for (qsizetype k = 0; k < names.size() && at < 0; ++k)
                at = names[k].startsWith(column + QLatin1Char(' ')) ? k : -1;
            const QStringList fields = line.split(QLatin1Char(';'));
            if (at >= 0 && at < fields.size() && !fields[at].isEmpty())
                return fields[at];
            continue;
        }
        const qsizetype word = line.startsWith(row) ? line.indexOf(column, row.size()) : -1;
        if (word < 0)
            continue;
        static const QRegularExpression number(
            QStringLiteral("^[\\s=(]*(-?[0-9][0-9,]*\\.?[0-9]*)"));
        const QRegularExpressionMatch match = number.match(line.mid(word + column.size()));
        if (match.hasMatch())
            return match.captured(1);
    }
    return std::nullopt;
}

// The numbers of a "1,2,3" list.
std::vector<double> numbers(const QString& list) {
    std::vector<double> result;
    for (const QString& item : list.split(QLatin1Char(','), Qt::SkipEmptyParts))
        result.push_back(item.trimmed().toDouble());
    return result;
}

// Si or STi of factor (from 1) of the outputs "A / B / AB1 / AB2 ...".
std::optional<double> sobolFigure(const QString& outputs, int factor, const QString& figure) {
    const QStringList parts = outputs.split(QLatin1Char('/'));
    if (parts.size() < 3 || factor < 1 || factor > parts.size() - 2)
        return std::nullopt;
    SaltelliOutputs design;
    design.a = numbers(parts[0]);
    design.b = numbers(parts[1]);
    for (qsizetype k = 2; k < parts.size(); ++k)
        design.ab.push_back(numbers(parts[k]));
    const auto indices = sobolIndices(design, 0, 1);
    if (!indices)
        return std::nullopt;
    const FactorIndices& f = (*indices)[std::size_t(factor - 1)];
    return figure == QStringLiteral("Si") ? f.first.value : f.total.value;
}

} // namespace

void TestMethodsReference::workedNumbersMatchTheProgram() {
    QFile file(QStringLiteral(ORVALTA_DOCS "/methods.md"));
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QString doc = QString::fromUtf8(file.readAll());

    // The sample workbooks and the files the document holds, in one folder.
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    for (const QString& name :
         QDir(QStringLiteral(ORVALTA_EXAMPLES)).entryList({"*.xls", "*.xlsx"}))
        QVERIFY(QFile::copy(ORVALTA_EXAMPLES "/" + name, dir.filePath(name)));
    static const QRegularExpression inlineFile(
        QStringLiteral("<!-- file: (\\S+) -->\\s*```[a-z]*\\n(.*?)```"),
        QRegularExpression::DotMatchesEverythingOption);
    for (auto it = inlineFile.globalMatch(doc); it.hasNext();) {
        const QRegularExpressionMatch m = it.next();
        QVERIFY(writeFileBytes(dir.filePath(m.captured(1)), m.captured(2).toUtf8()));
    }

    static const QRegularExpression comment(QStringLiteral("<!-- check:(.*?)-->"),
                                            QRegularExpression::DotMatchesEverythingOption);
    static const QRegularExpression checkLine(
        QStringLiteral("^(.+?) \\| (.+?) \\| (.+?) \\| (.+?) = (\\S+)$"));
    int checks = 0;
    QStringList lastArgs;
    QString lastOut;
    for (auto it = comment.globalMatch(doc); it.hasNext();) {
        const QRegularExpressionMatch block = it.next();
        // The text above the comment, the comments left out.
        QString above = doc.left(block.capturedStart());
        above.replace(comment, QString());
        above = above.right(1500).replace(QChar(0x2212), QLatin1Char('-')); // the minus sign
        for (const QString& raw : block.captured(1).split(QLatin1Char('\n'))) {
            const QString line = raw.trimmed();
            if (line.isEmpty())
                continue;
            const QRegularExpressionMatch m = checkLine.match(line);
            QVERIFY2(m.hasMatch(), qPrintable("Riga di controllo illeggibile: " + line));
            const QString source = m.captured(1);
            const QString expected = m.captured(5);
            QVERIFY2(above.contains(expected),
                     qPrintable(expected + " non compare nel testo sopra: " + line));
            std::optional<QString> actual;
            if (source.startsWith(QStringLiteral("sobol "))) {
                const std::optional<double> value =
                    sobolFigure(source.mid(6), m.captured(3).toInt(), m.captured(4));
                if (value)
                    actual = QString::number(*value, 'f', 4);
            } else {
                const QStringList args = source.split(QLatin1Char(' '), Qt::SkipEmptyParts);
                if (args != lastArgs) {
                    QProcess batch;
                    batch.setWorkingDirectory(dir.path());
                    batch.start(QStringLiteral(ORVALTA_BATCH), args);
                    QVERIFY(batch.waitForFinished(120000));
                    QVERIFY2(batch.exitCode() == 0,
                             qPrintable(source + ": " + batch.readAllStandardError()));
                    lastArgs = args;
                    lastOut = QString::fromUtf8(batch.readAllStandardOutput());
                }
                const QString text = m.captured(2) == QStringLiteral("stdout")
                                         ? lastOut
                                         : QString::fromUtf8(fileContents(
                                               dir.filePath(args.value(1) + '.' + m.captured(2))));
                actual = lookUp(text, m.captured(3), m.captured(4));
            }
            QVERIFY2(actual, qPrintable("Valore non trovato: " + line));
            // As many decimals as the document writes.
            const qsizetype point = expected.indexOf(QLatin1Char('.'));
            const int decimals = point < 0 ? 0 : int(expected.size() - point - 1);
            bool isNumber = false;
            const double value = QString(*actual).remove(QLatin1Char(',')).toDouble(&isNumber);
            QVERIFY2(isNumber, qPrintable(line + " -> " + *actual));
            const QString written = QString::number(value, 'f', decimals);
            QVERIFY2(written == expected, qPrintable(line + " -> " + written));
            ++checks;
        }
    }
    // Every section of the document has its worked numbers checked.
    QVERIFY2(checks >= 40, qPrintable(QString::number(checks)));
}

QTEST_GUILESS_MAIN(TestMethodsReference)
#include "tst_methodsreference.moc"
