// Feeds arbitrary bytes to the reader of result files and to the comparison:
// the bytes are the values and the ranks file of a second method compared
// with a well-formed first one. A damaged file must be refused with a
// message, never crash or be compared.
#include "fuzzsupport.h"

#include "comparison/comparison.h"
#include "comparison/resultfilereader.h"
#include "shared/delimitedfields.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace {

void writeFile(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    if (file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        file.write(bytes);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const Regional regional{QLocale(QLocale::Italian, QLocale::Italy)};
    const QString input = writeFuzzInput(data, size, QStringLiteral(".csv"));
    const QString folder =
        QFileInfo(input).absolutePath() + QStringLiteral("/orvalta-fuzz-confronto");
    static bool prepared = false;
    if (!prepared) {
        QDir().mkpath(folder);
        writeFile(folder + QStringLiteral("/m.xls.outMPI+.csv"),
                  "Regione;MPI+\r\nAlfa;101,0000\r\nBeta;99,0000\r\nGamma;100,0000\r\n");
        writeFile(folder + QStringLiteral("/m.xls.outMPI+.rnk"),
                  "Regione;MPI+\r\nAlfa;1\r\nBeta;3\r\nGamma;2\r\n");
        prepared = true;
    }
    // The file is there: read, or refused by the bounds of the first
    // method's files with a cause.
    const ResultFileContent content = readResultFile(input, ResultFileBounds{});
    if (content.status == ResultFileContent::Status::Missing ||
        (content.status == ResultFileContent::Status::Unreadable && content.error.isEmpty()))
        __builtin_trap();

    const QByteArray bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    // The bytes as a label (the writers make line breaks spaces): written as
    // a field of a line, they split back into the label and the value.
    QByteArray label = bytes;
    label.replace('\r', ' ').replace('\n', ' ');
    QByteArray line;
    appendField(line, label);
    line += ";1";
    std::vector<FieldSpan> spans;
    if (!splitQuotedFields(QByteArrayView(line), spans) || spans.size() != 2)
        __builtin_trap();
    QByteArray back(spans[0].end - spans[0].begin, '\0');
    back.truncate(unquoteTo(back.data(), line.constData(), spans[0]));
    if (back != label)
        __builtin_trap();

    writeFile(folder + QStringLiteral("/m.xls.outWROC.csv"), bytes);
    writeFile(folder + QStringLiteral("/m.xls.outWROC.rnk"), bytes);
    const Expected<ComparisonResult> result = compareMethods(
        folder, {QStringLiteral("m.xls.outMPI+.csv"), QStringLiteral("m.xls.outWROC.csv")},
        regional);
    if (!result && result.error().message.isEmpty())
        __builtin_trap();
    if (result && result->cograduation.size() != 2)
        __builtin_trap();
    return 0;
}
