#include "timeseries/panelloader.h"

#include "shared/polarita.h"
#include "workbook/cellnames.h"
#include "workbook/workbookreader.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QHash>

#include <algorithm>
#include <atomic>
#include <cmath>
#include <limits>
#include <thread>

namespace {

LoadResult refused(const QString& message) {
    return {LoadResult::Status::Refused, message};
}

LoadResult cancelled() {
    return {LoadResult::Status::Cancelled,
            QCoreApplication::translate("Timeseries", "Caricamento dei periodi annullato.")};
}

// "Il foglio "2020" di panel.xlsx" at the start of a message.
QString foglio(const QString& sheet, const QString& file) {
    return QCoreApplication::translate("Timeseries", "Il foglio \"%1\" di %2").arg(sheet, file);
}

// Reads the block of one sheet into period p of the panel; the first sheet
// sets the indicators and the units, every later one is matched to them.
class PeriodReader {
public:
    PeriodReader(Panel& panel, const Regional& regional, const QString& file)
        : m_panel(panel), m_regional(regional), m_file(file) {}

    LoadResult read(const WorkbookReader& reader, int p, WorkProgress* progress);

private:
    LoadResult readHeadings(const WorkbookReader& reader, int p, int columns, int rows,
                            std::vector<int>* unitOf);

    Panel& m_panel;
    Regional m_regional;
    QString m_file;
    QHash<QString, int> m_unitIndex;
};

LoadResult PeriodReader::read(const WorkbookReader& reader, int p, WorkProgress* progress) {
    const QString& sheet = m_panel.periods[p];
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

    std::vector<int> unitOf; // the panel's unit of each sheet row, from row 2
    if (const LoadResult headings = readHeadings(reader, p, columns, rows, &unitOf);
        !headings.loaded())
        return headings;

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
                    return refused(prefix + messaggioValoriNulli(indicatore));
                const auto number =
                    value.isText() ? m_regional.parseNumber(value.text()) : std::nullopt;
                if (!number)
                    return refused(prefix + messaggioValoriAlfanumerici(indicatore));
                x = *number;
            }
            m_panel.value(p, unitOf[std::size_t(r - 2)], c - 2) = x;
        }
    }
    return {LoadResult::Status::Loaded, QString()};
}

LoadResult PeriodReader::readHeadings(const WorkbookReader& reader, int p, int columns, int rows,
                                      std::vector<int>* unitOf) {
    const QString& sheet = m_panel.periods[p];
    const QString& first = m_panel.periods.constFirst();
    if (p == 0) {
        m_panel.corner = m_regional.generalText(reader.cell(1, 1));
        for (int c = 2; c <= columns; ++c) {
            m_panel.indicators.append(m_regional.generalText(reader.cell(1, c)));
            m_panel.negative.push_back(polaritaNegativa(reader.cell(1, c)) ? 1 : 0);
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
    if (p == 0) {
        m_panel.values.assign(std::size_t(m_panel.periodCount()) *
                                  std::size_t(m_panel.unitCount()) *
                                  std::size_t(m_panel.indicatorCount()),
                              0.0);
        return {LoadResult::Status::Loaded, QString()};
    }
    for (int u = 0; u < m_panel.unitCount(); ++u) {
        if (rowOf[std::size_t(u)] == 0)
            return refused(foglio(sheet, m_file) +
                           QCoreApplication::translate(
                               "Timeseries", " non riporta l'unità \"%1\" del foglio \"%2\".")
                               .arg(m_panel.units[u], first));
    }
    return {LoadResult::Status::Loaded, QString()};
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

LoadResult caricaPanel(const QString& path, const Regional& regional, Panel* panel,
                       WorkProgress* progress) {
    *panel = Panel();
    Panel read;
    const QString file = QFileInfo(path).fileName();
    PeriodReader first(read, regional, file);
    // The first sheet names the periods and gives the indicators and units.
    if (progress)
        progress->report(QCoreApplication::translate("Timeseries", "Lettura dei periodi"), 0);
    QString error;
    if (auto reader = openWorkbookSheet(path, 0, regional, &error)) {
        read.periods = reader->sheetNames();
        if (const LoadResult result = first.read(*reader, 0, progress); !result.loaded())
            return result;
    } else {
        return {LoadResult::Status::FileError, error};
    }

    // The later sheets are read side by side, each into its own slice of
    // the values; a worker takes the next sheet until all are taken or one
    // has failed. Sheets are taken in order, so every sheet before a failed
    // one has been read and the first failure in sheet order is reported.
    const int periods = read.periodCount();
    std::vector<LoadResult> results(std::size_t(periods), {LoadResult::Status::Loaded, QString()});
    std::atomic<int> next{1};
    std::atomic<int> done{1};
    std::atomic<bool> stop{false};
    const auto work = [&](PeriodReader sheets) {
        for (int p = next++; p < periods && !stop; p = next++) {
            LoadResult& result = results[std::size_t(p)];
            if (progress && progress->cancelled()) {
                result = cancelled();
            } else if (auto reader = openWorkbookSheet(path, p, regional, &result.message)) {
                result = sheets.read(*reader, p, progress);
            } else {
                result.status = LoadResult::Status::FileError;
            }
            if (!result.loaded())
                stop = true;
            if (progress)
                progress->report(QCoreApplication::translate("Timeseries", "Lettura dei periodi"),
                                 percentOf(++done, periods));
        }
    };
    const int workers = std::clamp(int(std::thread::hardware_concurrency()), 1, 4);
    std::vector<std::thread> threads;
    for (int w = 1; w < std::min(workers, periods - 1); ++w)
        threads.emplace_back(work, first);
    work(first);
    for (std::thread& thread : threads)
        thread.join();
    for (const LoadResult& result : results) {
        if (!result.loaded())
            return result;
    }

    if (const int j = indicatoreCostante(read); j >= 0)
        return refused(QCoreApplication::translate(
                           "Timeseries",
                           "L'indicatore definito nella matrice come %1 risulta essere "
                           "costante in tutte le osservazioni di tutti i periodi. "
                           "Verificare la validità della matrice selezionata!")
                           .arg(read.indicators[j]));
    *panel = std::move(read);
    return {LoadResult::Status::Loaded, QString()};
}
