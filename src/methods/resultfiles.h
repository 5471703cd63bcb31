#pragma once

#include "methods/methodcomputation.h"
#include "shared/expected.h"
#include "shared/regional.h"
#include "shared/resultnames.h"
#include "shared/textfile.h"
#include "stats/matrix.h"

#include <QByteArrayView>
#include <QString>

#include <cstdint>
#include <memory>
#include <new>
#include <string>
#include <vector>

// The two result files of a method run, beside the workbook: the values
// result file <workbook>.out<CODE>.csv and the ranks result file
// <workbook>.out<CODE>.rnk.
QString valuesResultFile(const QString& strMatrice, const QString& methodCode);
QString ranksResultFile(const QString& strMatrice, const QString& methodCode);

// Texts held one after another in UTF-8, 4 bytes of bookkeeping a text.
class TextColumn {
public:
    void reserve(std::size_t count, std::size_t bytes);
    // The next text is appended to bytes(), then ended by endText().
    std::string& bytes() { return m_bytes; }
    // Throws std::bad_alloc past 4 GiB of text, which no column needs.
    void endText() {
        if (m_bytes.size() > UINT32_MAX)
            throw std::bad_alloc();
        m_ends.push_back(static_cast<std::uint32_t>(m_bytes.size()));
    }

    std::size_t size() const { return m_ends.size(); }
    QByteArrayView text(std::size_t i) const {
        const std::size_t begin = i == 0 ? 0 : m_ends[i - 1];
        return QByteArrayView(m_bytes.data() + begin, qsizetype(m_ends[i] - begin));
    }

private:
    std::string m_bytes;
    std::vector<std::uint32_t> m_ends; // where each text ends
};

// The label column of the result files: the corner label of a matrix, then
// its unit labels, each as the files hold it: its general text with every
// line break in it (CR LF, CR or LF) written as one space, so that a line of
// a file holds no line break, and quoted when it needs it (see
// delimitedfields.h). Formatted once for all the methods run on a matrix.
class ResultLabels {
public:
    ResultLabels(const Matrix& matrix, const Regional& regional);
    // The corner label (line 0), then the label of unit i at line i + 1.
    QByteArrayView label(int line) const { return m_labels.text(std::size_t(line)); }

private:
    TextColumn m_labels;
};

// The texts of a method's two result files, "label;value" lines (fields
// quoted as delimitedfields.h says): the index header on the first, then
// for every unit its index value text (values file) or its rank (ranks
// file). They own what they hold (the labels shared), so the files can be
// written while the tables change.
struct MethodResultTexts {
    std::shared_ptr<const ResultLabels> labels;
    std::string header;   // in general text, line breaks as spaces
    TextColumn indexText; // one per unit
    std::vector<int> rank;
    // The texts of the ranks when the settings do not write whole numbers
    // in plain ASCII digits; empty otherwise.
    TextColumn rankText;

    TextLines valuesLines() const;
    TextLines ranksLines() const;
};

// The texts of the result files of the method at position from what it
// computed: the index value texts (four decimals under the regional
// settings) and the ranks.
MethodResultTexts methodResultTexts(MethodPosition position, const MethodOutput& output,
                                    std::shared_ptr<const ResultLabels> labels,
                                    const Regional& regional);
// The same under another header (a composite's name).
MethodResultTexts methodResultTexts(const QString& header, const MethodOutput& output,
                                    std::shared_ptr<const ResultLabels> labels,
                                    const Regional& regional);

// Writes the values and ranks result files from their texts, side by side:
// both are on disk before either is put in place (writeTextFilesTogether).
Status writeResultFiles(const QString& valuesFile, const QString& ranksFile,
                        const MethodResultTexts& texts);
