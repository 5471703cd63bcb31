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

ResultLabels::ResultLabels(const Table& table, int nRighe, const Regional& regional) {
    const auto rows = static_cast<std::size_t>(std::max(nRighe, 0));
    m_labels.reserve(rows, rows * 8);
    for (int r = 1; r <= nRighe; ++r) {
        const std::size_t start = m_labels.bytes().size();
        std::string& bytes = m_labels.bytes();
        bytes += regional.generalText(table.label(r)).toStdString();
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
        bytes += texts.labels->label(int(i) + 1);
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

QString writeResultFiles(const QString& valuesFile, const QString& ranksFile,
                         const MethodResultTexts& texts) {
    return writeTextFilesTogether(
        {{valuesFile, texts.valuesLines()}, {ranksFile, texts.ranksLines()}});
}
