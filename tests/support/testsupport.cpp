#include "support/testsupport.h"

#include "export/zipstreamwriter.h"
#include "shared/polarity.h"

#include <QFile>

#include <sys/stat.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <future>
#include <thread>

MemoryReader::MemoryReader(const Rows& rows) {
    for (std::size_t r = 0; r < rows.size(); ++r)
        for (std::size_t c = 0; c < rows[r].size(); ++c)
            if (!rows[r][c].isEmpty())
                m_sheet.set(static_cast<int>(r + 1), static_cast<int>(c + 1), rows[r][c]);
    m_sheet.finish();
}

void MemoryReader::set(int row, int col, const CellValue& value) {
    m_sheet.set(row, col, value);
    m_sheet.finish();
}

StructureSheet structureSheetOf(const std::vector<std::array<const char*, 3>>& rows) {
    StructureSheet sheet;
    int r = 2;
    for (const auto& [element, parent, weight] : rows) {
        StructureRow row;
        row.row = r++;
        row.element = QString::fromUtf8(element);
        row.parent = QString::fromUtf8(parent);
        if (*weight)
            row.weight = CellValue(QString::fromUtf8(weight));
        sheet.rows.push_back(row);
    }
    return sheet;
}

Matrix matrixFrom(const Rows& rows) {
    const int units = int(rows.size()) - 1;
    const int indicators = int(rows.front().size()) - 1;
    Matrix matrix = Matrix::ofSize(units, indicators);
    matrix.corner = rows[0][0];
    for (int j = 0; j < indicators; ++j) {
        matrix.indicators[std::size_t(j)] = rows[0][std::size_t(j + 1)];
        matrix.negative[std::size_t(j)] = hasNegativePolarity(matrix.indicators[std::size_t(j)]);
    }
    for (int i = 0; i < units; ++i) {
        const std::vector<CellValue>& row = rows[std::size_t(i + 1)];
        matrix.units[std::size_t(i)] = row[0];
        for (int j = 0; j < indicators; ++j) {
            const CellValue& cell = row[std::size_t(j + 1)];
            matrix.value(i, j) = cell.isNumber() ? cell.number() : 0.0;
        }
    }
    return matrix;
}

Matrix gappyMatrix(const std::vector<std::vector<double>>& columns, const QStringList& names) {
    const int n = int(columns.front().size());
    Matrix matrix = Matrix::ofSize(n, int(columns.size()));
    matrix.missing.assign(matrix.values.size(), 0);
    for (std::size_t j = 0; j < columns.size(); ++j) {
        matrix.indicators[j] =
            CellValue(names.isEmpty() ? QStringLiteral("I%1").arg(j + 1) : names[qsizetype(j)]);
        matrix.negative[j] = hasNegativePolarity(matrix.indicators[j]) ? 1 : 0;
        for (int i = 0; i < n; ++i) {
            const double x = columns[j][std::size_t(i)];
            matrix.value(i, int(j)) = std::isnan(x) ? 0.0 : x;
            matrix.missing[j * std::size_t(n) + std::size_t(i)] = std::isnan(x) ? kMissingEmpty : 0;
        }
    }
    for (int i = 0; i < n; ++i)
        matrix.units[std::size_t(i)] = CellValue(QStringLiteral("U%1").arg(i + 1));
    return matrix;
}

std::unique_ptr<Processing> processingOf(const QString& path, const Rows& rows,
                                         const Regional& regional) {
    auto processing = std::make_unique<Processing>(regional);
    processing->setMatrix(path, matrixFrom(rows));
    return processing;
}

QString fixture(const QString& name) {
    return QStringLiteral(ORVALTA_FIXTURES) + u'/' + name;
}

QByteArray fileContents(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
}

bool writeFileBytes(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    return file.open(QIODevice::WriteOnly | QIODevice::Truncate) &&
           file.write(bytes) == bytes.size();
}

bool makeSpecialFile(const QString& path, SpecialFile kind) {
    QFile::remove(path);
    if (kind == SpecialFile::Device)
        return QFile::link(QStringLiteral("/dev/zero"), path);
    return ::mkfifo(QFile::encodeName(path).constData(), 0600) == 0;
}

bool writeZip(const QString& path, const std::vector<std::pair<QString, QByteArray>>& entries) {
    ZipStreamWriter zip(path);
    for (const auto& [name, bytes] : entries) {
        zip.beginEntry(name);
        zip.write(bytes);
    }
    return bool(zip.finish());
}

bool finishesWithin(int ms, std::function<void()> work) {
    auto done = std::make_shared<std::promise<void>>();
    std::future<void> finished = done->get_future();
    std::thread([work = std::move(work), done] {
        work();
        done->set_value();
    }).detach();
    return finished.wait_for(std::chrono::milliseconds(ms)) == std::future_status::ready;
}

bool quasiUguali(double a, double b, double tolerance) {
    if (a == b)
        return true;
    const double scale = std::max({1.0, std::fabs(a), std::fabs(b)});
    return std::fabs(a - b) <= tolerance * scale;
}

QString numbersDiffer(std::span<const double> actual, std::span<const double> expected,
                      double tolerance) {
    if (actual.size() != expected.size())
        return QStringLiteral("%1 numbers, expected %2").arg(actual.size()).arg(expected.size());
    for (std::size_t k = 0; k < actual.size(); ++k) {
        const double a = actual[k];
        const double b = expected[k];
        if (a == b || (std::isnan(a) && std::isnan(b)) ||
            (std::isfinite(a - b) &&
             std::fabs(a - b) <= tolerance * std::max(std::fabs(a), std::fabs(b))))
            continue;
        return QStringLiteral("at %1: %2, expected %3")
            .arg(k)
            .arg(actual[k], 0, 'g', 17)
            .arg(expected[k], 0, 'g', 17);
    }
    return {};
}

QString describeCell(const CellValue& cell) {
    switch (cell.kind()) {
    case CellValue::Kind::Empty:
        return QStringLiteral("(empty)");
    case CellValue::Kind::Number:
        return QStringLiteral("number %1").arg(cell.number(), 0, 'g', 17);
    case CellValue::Kind::Text:
        return QStringLiteral("text \"%1\"").arg(cell.text());
    case CellValue::Kind::Boolean:
        return QStringLiteral("boolean %1").arg(cell.boolean());
    case CellValue::Kind::Date:
        return QStringLiteral("date %1").arg(cell.date().toString(Qt::ISODateWithMs));
    case CellValue::Kind::Error:
        return QStringLiteral("error %1").arg(cell.errorCode());
    }
    return QString();
}
