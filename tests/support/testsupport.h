#pragma once

#include "shared/cellvalue.h"
#include "shared/expected.h"
#include "stats/matrix.h"
#include "workbook/sheetreader.h"
#include "workflow/processing.h"

#include <QString>
#include <QVariant>

#include <QMetaType>

#include <array>
#include <functional>
#include <initializer_list>
#include <memory>
#include <span>
#include <utility>
#include <vector>

// A block of cells as a sheet holds it from A1: the header row (corner
// label, indicator names), then one row per unit (label, values).
using Rows = std::vector<std::vector<CellValue>>;

// A workbook held in memory: rows of cells from A1, for the loader's tests.
class MemoryReader : public SheetReader {
public:
    MemoryReader() = default;
    explicit MemoryReader(const Rows& rows);

    void set(int row, int col, const CellValue& value);
    // The cells are those set: opening reads nothing.
    Status open(const QString&) override { return {}; }

protected:
    Status read(const QString&) override { return {}; }
};

// The matrix of a block: the corner label, the indicator names with the
// polarity their first character gives them, the unit labels and the data
// cells' numbers (0 for a cell that is not a number); weights of 1, nothing
// missing.
Matrix matrixFrom(const Rows& rows);

// A matrix of the given columns, NaN marking a missing cell (held as an
// empty one): the indicators named as given, with the polarity their first
// character gives them, or I1, I2... without names; the units U1, U2...
Matrix gappyMatrix(const std::vector<std::vector<double>>& columns, const QStringList& names = {});

// A structure sheet of rows (element, parent, weight text; "" for empty),
// from row 2.
StructureSheet structureSheetOf(const std::vector<std::array<const char*, 3>>& rows);

// A processing of the matrix of rows, taken as the matrix of the workbook
// at path (which is not read): its result files go beside path.
std::unique_ptr<Processing> processingOf(const QString& path, const Rows& rows,
                                         const Regional& regional);

// The path of a committed test fixture.
QString fixture(const QString& name);

// The bytes of a file, or "<missing>" when it cannot be read.
QByteArray fileContents(const QString& path);
// Writes bytes to a file, creating or emptying it; false on failure.
bool writeFileBytes(const QString& path, const QByteArray& bytes);
// Writes a ZIP archive of the entries (name, bytes) in their order, for
// workbooks built by a test; false on failure.
bool writeZip(const QString& path, const std::vector<std::pair<QString, QByteArray>>& entries);

// What a reader of files must refuse without waiting on it: a named pipe
// with no writer, a link to the endless /dev/zero.
enum class SpecialFile { Pipe, Device };
// Puts one at path, replacing what is there; false on failure.
bool makeSpecialFile(const QString& path, SpecialFile kind);

// Runs work on a thread of its own and waits for it up to ms milliseconds:
// false when it has not finished by then. It is then left running (blocked
// on a pipe, say), so that what it uses must be its own, not the caller's.
bool finishesWithin(int ms, std::function<void()> work);

// True when a and b agree within a relative tolerance of 1e-12 (absolute
// near zero).
bool quasiUguali(double a, double b, double tolerance = 1e-12);

// Where two lists of numbers differ, in words: in their lengths, or in a
// value beyond the relative tolerance (however small the values are; NaN
// agrees with NaN). Empty when they agree.
QString numbersDiffer(std::span<const double> actual, std::span<const double> expected,
                      double tolerance = 1e-12);

#define COMPARE_NUMBERS(actual, expected)                                                          \
    do {                                                                                           \
        const QString difference_ = numbersDiffer(actual, expected);                               \
        QVERIFY2(difference_.isEmpty(), qPrintable(difference_));                                  \
    } while (false)

// The message of a failure, empty for a value: what QVERIFY2 shows.
template <typename T> QString failureMessage(const Expected<T>& result) {
    return result ? QString() : result.error().message;
}

// Verifies that a Status or an Expected holds its value, showing the
// failure's message when it does not.
#define VERIFY_DONE(expression)                                                                    \
    do {                                                                                           \
        const auto& done_ = (expression);                                                          \
        QVERIFY2(done_, qPrintable(failureMessage(done_)));                                        \
    } while (false)

// A cell's kind and value in words, for failure messages.
QString describeCell(const CellValue& cell);

// Compares two cells, naming both on a mismatch.
#define COMPARE_CELL(actual, expected)                                                             \
    QVERIFY2((actual) == (expected),                                                               \
             qPrintable(describeCell(actual) + QStringLiteral(" != ") + describeCell(expected)))

Q_DECLARE_METATYPE(CellValue)
