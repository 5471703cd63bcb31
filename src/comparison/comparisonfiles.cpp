#include "comparison/comparisonfiles.h"

#include "shared/delimitedfields.h"
#include "shared/resultnames.h"
#include "shared/textfile.h"

#include <charconv>
#include <string>

QString valuesComparisonFile(const QString& strMatrice) {
    return resultFileName(strMatrice, ResultFileKind::ComparisonValues);
}

QString ranksComparisonFile(const QString& strMatrice) {
    return resultFileName(strMatrice, ResultFileKind::ComparisonRanks);
}

namespace {

// The header line of both files: the corner label and the index headers.
void appendHeaderLine(const ComparisonResult& result, QByteArray& bytes) {
    appendField(bytes, result.labels.cellUtf8(0, 0));
    for (const ComparedMethod& method : result.methods) {
        bytes += ';';
        appendField(bytes, method.header.toUtf8());
    }
}

// The lines of one of the two files: the header line, then a line per unit
// whose fields after the label appendNumber writes.
template <typename AppendNumber>
TextLines comparisonLines(const ComparisonResult& result, AppendNumber appendNumber) {
    return TextLines(result.labels.rowCount(),
                     [&result, appendNumber](qsizetype line, QByteArray& bytes) mutable {
                         if (line == 0) {
                             appendHeaderLine(result, bytes);
                             return;
                         }
                         appendField(bytes, result.labels.cellUtf8(int(line), 0));
                         for (const ComparedMethod& method : result.methods) {
                             bytes += ';';
                             appendNumber(method, std::size_t(line - 1), bytes);
                         }
                     });
}

} // namespace

Status writeComparisonFiles(const QString& strMatrice, const ComparisonResult& result,
                            const Regional& regional) {
    std::string text;
    const auto appendValue = [&regional, text](const ComparedMethod& method, std::size_t unit,
                                               QByteArray& bytes) mutable {
        text.clear();
        regional.appendIndexText(method.values[unit], text);
        bytes.append(text.data(), qsizetype(text.size()));
    };
    const auto appendRank = [](const ComparedMethod& method, std::size_t unit, QByteArray& bytes) {
        char digits[16];
        const auto end = std::to_chars(digits, digits + sizeof digits, method.ranks[unit]).ptr;
        bytes.append(digits, end - digits);
    };
    // Both texts are written, side by side, before either file is
    // replaced, so that a failure leaves the two earlier files of one run.
    return writeTextFilesTogether(
        {{valuesComparisonFile(strMatrice), comparisonLines(result, appendValue)},
         {ranksComparisonFile(strMatrice), comparisonLines(result, appendRank)}});
}
