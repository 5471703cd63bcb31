#include "timeseries/panelloader.h"

#include "shared/polarity.h"
#include "workbook/cellnames.h"
#include "workbook/structuresheet.h"
#include "workbook/workbookreader.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QHash>

#include <algorithm>
#include <cmath>
#include <limits>
#include <thread>

namespace {

Failure refused(const QString& message) {
    return failure(FailureKind::Refused, message);
}

Failure cancelled() {
    return failure(FailureKind::Cancelled,
                   QCoreApplication::translate("Timeseries", "Caricamento dei periodi annullato."));
}

// "Il foglio "2020" di panel.xlsx" at the start of a message.
QString foglio(const QString& sheet, const QString& file) {
    return QCoreApplication::translate("Timeseries", "Il foglio \"%1\" di %2").arg(sheet, file);
}

// Reads the block of each sheet, in workbook order, into the next period of
// the panel; the first sheet sets the indicators and the units, every later
// one is matched to them.
class PeriodReader {
public:
    PeriodReader(Panel& panel, const Regional& regional, const QString& file)
        : m_panel(panel), m_regional(regional), m_file(file) {}

    // Reads the sheet named sheet as period p, the next one.
    Status read(const WorkbookReader& reader, int p, const QString& sheet, WorkProgress* progress);

private:
    // The first sheet's indicators, or a later sheet's checked against them.
    Status readIndicators(const WorkbookReader& reader, int p, int columns);
    // The first sheet's units; for a later sheet, the panel's unit of each
    // of its rows into unitOf, every unit found once.
    Status readUnits(const WorkbookReader& reader, int p, int rows, std::vector<int>* unitOf);
    // Reads the values of period p, column by column.
    Status readValues(const WorkbookReader& reader, int p, int columns, int rows,
                      const std::vector<int>& unitOf, WorkProgress* progress);

    Panel& m_panel;
    Regional m_regional;
    QString m_file;
    QHash<QString, int> m_unitIndex;
};

Status PeriodReader::read(const WorkbookReader& reader, int p, const QString& sheet,
                          WorkProgress* progress) {
    m_panel.periods.append(sheet);
    int columns = 0;
    int rows = 0;
    while (!reader.cell(1, columns + 1).equalsEmptyText())
        ++columns;
    while (!reader.cell(rows + 1, 1).equalsEmptyText())
        ++rows;
    if (columns == 0)
        return refused(foglio(sheet, m_file) +
                       QCoreApplication::translate(
                           "Timeseries", " è vuoto nella cella A1: la matrice deve iniziare in A1 "
                                         "con l'etichetta d'angolo."));
    if (columns == 1)
        return refused(foglio(sheet, m_file) +
                       QCoreApplication::translate("Timeseries", " non contiene indicatori."));
    if (rows == 1)
        return refused(foglio(sheet, m_file) +
                       QCoreApplication::translate("Timeseries", " non contiene unità."));

    if (Status indicators = readIndicators(reader, p, columns); !indicators)
        return indicators;
    std::vector<int> unitOf; // the panel's unit of each sheet row, from row 2
    if (Status units = readUnits(reader, p, rows, &unitOf); !units)
        return units;
    return readValues(reader, p, columns, rows, unitOf, progress);
}

Status PeriodReader::readValues(const WorkbookReader& reader, int p, int columns, int rows,
                                const std::vector<int>& unitOf, WorkProgress* progress) {
    const QString& sheet = m_panel.periods[p];
    // The values of the periods, each after the one before.
    const std::size_t perPeriod =
        std::size_t(m_panel.unitCount()) * std::size_t(m_panel.indicatorCount());
    if (p == 0)
        m_panel.values.reserve(perPeriod *
                               std::size_t(std::max<qsizetype>(reader.sheetNames().size(), 1)));
    m_panel.values.resize(perPeriod * std::size_t(p + 1));

    const QString prefix = QCoreApplication::translate("Timeseries", "Foglio \"%1\": ").arg(sheet);
    for (int c = 2; c <= columns; ++c) {
        if (progress && progress->cancelled())
            return cancelled();
        for (int r = 2; r <= rows; ++r) {
            const CellValue value = reader.cell(r, c);
            double x = std::numeric_limits<double>::quiet_NaN();
            if (value.isNumber() && std::isfinite(value.number())) {
                x = value.number();
            } else {
                const QString& indicatore = m_panel.indicators[c - 2];
                if (value.isEmpty() || (value.isText() && value.text().trimmed().isEmpty()))
                    return refused(prefix + nullValuesMessage(indicatore));
                const auto number =
                    value.isText() ? m_regional.parseNumber(value.text()) : std::nullopt;
                if (!number)
                    return refused(prefix + textValuesMessage(indicatore));
                x = *number;
            }
            m_panel.value(p, unitOf[std::size_t(r - 2)], c - 2) = x;
        }
    }
    return {};
}

Status PeriodReader::readIndicators(const WorkbookReader& reader, int p, int columns) {
    const QString& sheet = m_panel.periods[p];
    const QString& first = m_panel.periods.constFirst();
    if (p == 0) {
        m_panel.corner = m_regional.generalText(reader.cell(1, 1));
        for (int c = 2; c <= columns; ++c) {
            m_panel.indicators.append(m_regional.generalText(reader.cell(1, c)));
            m_panel.negative.push_back(hasNegativePolarity(reader.cell(1, c)) ? 1 : 0);
        }
    } else {
        const int count = m_panel.indicatorCount();
        for (int c = 2; c <= std::max(columns, count + 1); ++c) {
            const QString here =
                c <= columns ? m_regional.generalText(reader.cell(1, c)) : QString();
            const QString there = c <= count + 1 ? m_panel.indicators[c - 2] : QString();
            if (here == there)
                continue;
            const auto quoted = [](const QString& name) {
                return name.isEmpty()
                           ? QCoreApplication::translate("Timeseries", "nessun indicatore")
                           : QStringLiteral("\"%1\"").arg(name);
            };
            return refused(foglio(sheet, m_file) +
                           QCoreApplication::translate(
                               "Timeseries", " non ha gli indicatori del foglio \"%1\": la cella "
                                             "%2 riporta %3 invece di %4.")
                               .arg(first, cellName(1, c), quoted(here), quoted(there)));
        }
    }
    return {};
}

Status PeriodReader::readUnits(const WorkbookReader& reader, int p, int rows,
                               std::vector<int>* unitOf) {
    const QString& sheet = m_panel.periods[p];
    const QString& first = m_panel.periods.constFirst();
    unitOf->reserve(std::size_t(rows - 1));
    std::vector<int> rowOf(std::size_t(m_panel.unitCount()), 0); // the sheet row of each unit
    for (int r = 2; r <= rows; ++r) {
        const QString label = m_regional.generalText(reader.cell(r, 1));
        if (p == 0) {
            if (const auto found = m_unitIndex.constFind(label); found != m_unitIndex.constEnd())
                return refused(
                    foglio(sheet, m_file) +
                    QCoreApplication::translate("Timeseries",
                                                " riporta l'unità \"%1\" due volte, nelle righe %2 "
                                                "e %3: le unità devono avere etichette distinte.")
                        .arg(label)
                        .arg(found.value() + 2)
                        .arg(r));
            m_unitIndex.insert(label, m_panel.unitCount());
            m_panel.units.append(label);
            unitOf->push_back(r - 2);
            continue;
        }
        const auto found = m_unitIndex.constFind(label);
        if (found == m_unitIndex.constEnd())
            return refused(foglio(sheet, m_file) +
                           QCoreApplication::translate(
                               "Timeseries", " riporta nella riga %1 l'unità \"%2\", assente nel "
                                             "foglio \"%3\".")
                               .arg(r)
                               .arg(label, first));
        int& seen = rowOf[std::size_t(found.value())];
        if (seen != 0)
            return refused(foglio(sheet, m_file) +
                           QCoreApplication::translate(
                               "Timeseries", " riporta l'unità \"%1\" due volte, nelle righe %2 e "
                                             "%3: le unità devono avere etichette distinte.")
                               .arg(label)
                               .arg(seen)
                               .arg(r));
        seen = r;
        unitOf->push_back(found.value());
    }
    if (p == 0)
        return {};
    for (int u = 0; u < m_panel.unitCount(); ++u) {
        if (rowOf[std::size_t(u)] == 0)
            return refused(foglio(sheet, m_file) +
                           QCoreApplication::translate(
                               "Timeseries", " non riporta l'unità \"%1\" del foglio \"%2\".")
                               .arg(m_panel.units[u], first));
    }
    return {};
}

// The first indicator whose minimum equals its maximum over the whole panel,
// or -1.
int indicatoreCostante(const Panel& panel) {
    for (int j = 0; j < panel.indicatorCount(); ++j) {
        const double first = panel.value(0, 0, j);
        bool constant = true;
        for (int p = 0; p < panel.periodCount() && constant; ++p)
            for (int u = 0; u < panel.unitCount() && constant; ++u)
                constant = panel.value(p, u, j) == first;
        if (constant)
            return j;
    }
    return -1;
}

} // namespace

Expected<Panel> readPanel(const QString& path, const Regional& regional, WorkProgress* progress,
                          QStringList* sheetNames) {
    Panel read;
    const QString file = QFileInfo(path).fileName();
    PeriodReader periods(read, regional, file);
    if (progress)
        progress->report(QCoreApplication::translate("Timeseries", "Lettura dei periodi"), 0);
    // One pass over the workbook: the sheets are read side by side and
    // checked here one after the other, in workbook order, so the first
    // failure in sheet order is the one reported.
    Status checked;
    // A structure or composites sheet after the first is no period.
    QStringList sheets;
    const auto visit = [&](int s, const QString& sheet, const WorkbookReader& reader) {
        sheets.append(sheet);
        if (s > 0 && (isStructureSheetName(sheet) || isCompositesSheetName(sheet)))
            return true;
        const int p = int(read.periods.size());
        checked = progress && progress->cancelled() ? Status(cancelled())
                                                    : periods.read(reader, p, sheet, progress);
        return bool(checked);
    };
    const int threads = std::clamp(int(std::thread::hardware_concurrency()), 1, 4);
    const Status passed = readWorkbookSheets(path, regional, visit, progress, threads);
    if (!checked)
        return checked.error();
    if (!passed) {
        if (progress && progress->cancelled())
            return cancelled();
        return failure(FailureKind::File, passed.error().message);
    }

    if (const int j = indicatoreCostante(read); j >= 0)
        return refused(QCoreApplication::translate(
                           "Timeseries",
                           "L'indicatore definito nella matrice come %1 risulta essere "
                           "costante in tutte le osservazioni di tutti i periodi. "
                           "Verificare la validità della matrice selezionata!")
                           .arg(read.indicators[j]));
    if (sheetNames)
        *sheetNames = std::move(sheets);
    return read;
}

int countPeriods(const QString& path, const Regional& regional, int atMost) {
    int periods = 0;
    // The reader may know the names of sheets it has not handed over yet.
    const auto visit = [&](int s, const QString&, const WorkbookReader& reader) {
        const QStringList& names = reader.sheetNames();
        int named = 0;
        for (qsizetype k = 0; k < names.size(); ++k)
            named += k == 0 || !isStructureSheetName(names[k]) ? 1 : 0;
        periods = std::max({periods, named, s == 0 ? 1 : periods});
        return periods < atMost;
    };
    if (!readWorkbookSheets(path, regional, visit))
        return -1;
    return std::min(periods, atMost);
}
