#include "methods/resultfiles.h"

#include "shared/delimitedfields.h"

#include <charconv>

QString valuesResultFile(const QString& strMatrice, const QString& methodCode) {
    return resultFileName(strMatrice, ResultFileKind::MethodValues, methodCode);
}

QString ranksResultFile(const QString& strMatrice, const QString& methodCode) {
    return resultFileName(strMatrice, ResultFileKind::MethodRanks, methodCode);
}

void TextColumn::reserve(std::size_t count, std::size_t bytes) {
    m_ends.reserve(count);
    m_bytes.reserve(bytes);
}

ResultLabels::ResultLabels(const Matrix& matrix, const Regional& regional) {
    const std::size_t lines = matrix.units.size() + 1;
    m_labels.reserve(lines, lines * 8);
    for (std::size_t line = 0; line < lines; ++line) {
        const std::size_t start = m_labels.bytes().size();
        std::string& bytes = m_labels.bytes();
        const CellValue& cell = line == 0 ? matrix.corner : matrix.units[line - 1];
        bytes += regional.generalText(cell).toStdString();
        replaceLineBreaks(bytes, start);
        const QByteArrayView label(bytes.data() + start, qsizetype(bytes.size() - start));
        if (needsQuotes(label)) {
            const std::string text(label.data(), std::size_t(label.size()));
            bytes.resize(start);
            appendField(bytes, QByteArrayView(text.data(), qsizetype(text.size())));
        }
        m_labels.endText();
    }
}

namespace {

// Line i of a result file: the label, ";", then the header or the value of
// the unit of row i + 1 as value(i - 1) appends it.
template <typename Value>
TextLines resultLines(const MethodResultTexts& texts, qsizetype units, Value value) {
    TextLines lines(units + 1, [&texts, value](qsizetype i, QByteArray& bytes) {
        bytes += texts.labels->label(int(i));
        bytes += ';';
        if (i == 0)
            appendField(bytes, QByteArrayView(texts.header.data(), qsizetype(texts.header.size())));
        else
            value(std::size_t(i - 1), bytes);
    });
    lines.withoutLineBreaks = true;
    return lines;
}

} // namespace

TextLines MethodResultTexts::valuesLines() const {
    return resultLines(
        *this, qsizetype(indexText.size()),
        [this](std::size_t unit, QByteArray& bytes) { bytes += indexText.text(unit); });
}

TextLines MethodResultTexts::ranksLines() const {
    return resultLines(*this, qsizetype(rank.size()), [this](std::size_t unit, QByteArray& bytes) {
        if (rankText.size() > 0) {
            bytes += rankText.text(unit);
            return;
        }
        char digits[16];
        const char* const end = std::to_chars(digits, digits + sizeof digits, rank[unit]).ptr;
        bytes.append(digits, end - digits);
    });
}

MethodResultTexts methodResultTexts(MethodPosition position, const MethodOutput& output,
                                    std::shared_ptr<const ResultLabels> labels,
                                    const Regional& regional) {
    return methodResultTexts(methodAt(position).indexHeader, output, std::move(labels), regional);
}

MethodResultTexts methodResultTexts(const QString& header, const MethodOutput& output,
                                    std::shared_ptr<const ResultLabels> labels,
                                    const Regional& regional) {
    MethodResultTexts texts;
    texts.labels = std::move(labels);
    texts.header = header.toStdString();
    replaceLineBreaks(texts.header);
    const std::size_t units = output.index.size();
    texts.indexText.reserve(units, units * 12);
    for (const double value : output.index) {
        regional.appendIndexText(value, texts.indexText.bytes());
        texts.indexText.endText();
    }
    texts.rank = output.ranks;
    if (!regional.plainWholeNumbers()) {
        texts.rankText.reserve(units, units * 8);
        for (const int rank : texts.rank) {
            texts.rankText.bytes() += regional.generalText(CellValue(double(rank))).toStdString();
            texts.rankText.endText();
        }
    }
    return texts;
}

Status writeResultFiles(const QString& valuesFile, const QString& ranksFile,
                        const MethodResultTexts& texts) {
    return writeTextFilesTogether(
        {{valuesFile, texts.valuesLines()}, {ranksFile, texts.ranksLines()}});
}
