#include "ui/report/pdfreport.h"

#include "methods/metodi.h"
#include "robustness/rankstatistics.h"
#include "shared/safefile.h"
#include "shared/safefiledevice.h"
#include "stats/statistiche.h"
#include "ui/report/methoddescriptions.h"
#include "ui/report/reportcharts.h"
#include "ui/report/reportmaps.h"
#include "ui/report/reportpages.h"
#include "ui/report/reportstructure.h"

#include <QDateTime>
#include <QDir>
#include <QFileInfo>
#include <QHash>
#include <QPdfWriter>

#include <algorithm>
#include <cmath>
#include <memory>
#include <numeric>

namespace {

constexpr int kInlineUnits = 60;       // up to this many units the rankings stay in the sections
constexpr int kHeatmapIndicators = 30; // beyond, the correlations stay in the workbook
constexpr int kEnds = 5;               // first and last units named in a section
constexpr int kMostMoved = 10;         // units listed in the robustness summary
constexpr int kAmpiPeriods = 8;        // periods in one table of the AMPI section
constexpr double kSobolChart = 180;    // points of height of the Sobol bars

class Report {
public:
    Report(ReportPages& pages, const ResultsCollection& results, WorkProgress* progress)
        : m_pages(pages), m_results(results), m_matrix(*results.matrix),
          m_regional(*results.regional), m_progress(progress) {}

    void write() {
        const QFileInfo info(m_results.strMatrice);
        m_pages.title(QStringLiteral("Rapporto: ") + info.fileName());
        m_pages.paragraph(QStringLiteral("Cartella di lavoro: %1\nData: %2")
                              .arg(QDir::toNativeSeparators(info.absoluteFilePath()),
                                   m_regional.locale().toString(QDateTime::currentDateTime(),
                                                                QLocale::ShortFormat)));
        if (m_results.isEmpty())
            m_pages.paragraph(QStringLiteral(
                "Non c'è ancora nulla da riportare: nessun file di risultati accanto alla "
                "cartella di lavoro."));
        step(QStringLiteral("Rapporto: la matrice"));
        matrix();
        if (m_results.structure) {
            m_pages.heading(QStringLiteral("La struttura"), 2);
            const ReportTable table = structureTable(*m_results.structure, m_regional);
            m_pages.paragraph(structureSummary(*m_results.structure) +
                                  QStringLiteral(". Il peso effettivo è il peso di ogni elemento "
                                                 "nell'indice complessivo."),
                              m_pages.tableStart(table));
            m_pages.table(table);
        }
        if (m_results.audit)
            audit(*m_results.audit);
        if (m_results.methods.empty() && !m_results.isEmpty())
            m_pages.paragraph(QStringLiteral(
                "Nessun metodo è stato ancora eseguito su questa matrice: non ci sono "
                "graduatorie da riportare."));
        for (const MethodResults& method : m_results.methods) {
            step(QStringLiteral("Rapporto: ") + method.code);
            methodSection(method);
        }
        if (m_results.comparison)
            comparison(*m_results.comparison);
        robustness();
        writeReportMaps(m_pages, m_results);
        if (!m_results.ampi.empty())
            ampi();
        if (units() > kInlineUnits && !m_results.methods.empty()) {
            step(QStringLiteral("Rapporto: allegato"));
            annex();
        }
    }

private:
    int units() const { return m_matrix.unitCount(); }

    void step(const QString& text) {
        if (m_progress)
            m_progress->report(text);
    }

    QString corner() const { return m_regional.generalText(m_matrix.corner); }

    void matrix() {
        m_pages.heading(QStringLiteral("La matrice"));
        const int indicators = m_matrix.indicatorCount();
        const int negative = int(std::count_if(m_matrix.negative.begin(), m_matrix.negative.end(),
                                               [](char flag) { return flag != 0; }));
        const MatrixView view = m_matrix.view();
        const std::vector<double> mean = media_colonne(view);
        const std::vector<double> deviation = scarto_colonne(view, mean);
        const std::vector<double> low = minimo_colonne(view);
        const std::vector<double> high = massimo_colonne(view);
        ReportTable table;
        table.headers = {QStringLiteral("Indicatore"), QStringLiteral("Polarità"),
                         QStringLiteral("Media"),      QStringLiteral("Scarto della popolazione"),
                         QStringLiteral("Minimo"),     QStringLiteral("Massimo")};
        table.widths = {3.2, 1, 1.6, 1.6, 1.6, 1.6};
        table.rows = indicators;
        table.cell = [&](int row, int column) -> QString {
            const auto j = std::size_t(row);
            switch (column) {
            case 0:
                return m_regional.generalText(m_matrix.indicators[j]);
            case 1:
                return m_matrix.negative[j] ? QStringLiteral("−") : QStringLiteral("+");
            case 2:
                return m_regional.indexText(mean[j]);
            case 3:
                return m_regional.indexText(deviation[j]);
            case 4:
                return m_regional.indexText(low[j]);
            default:
                return m_regional.indexText(high[j]);
            }
        };
        m_pages.paragraph(
            QStringLiteral("%1 unità e %2 indicatori: %3 di polarità positiva (un valore più "
                           "alto è migliore) e %4 di polarità negativa (un valore più basso è "
                           "migliore, il nome comincia con una lettera minuscola). Statistiche "
                           "per indicatore (scarto quadratico medio della popolazione):")
                .arg(units())
                .arg(indicators)
                .arg(indicators - negative)
                .arg(negative),
            m_pages.tableStart(table));
        m_pages.table(table);
        if (m_results.gaps)
            m_pages.paragraph(gapsStatement(*m_results.gaps, m_regional));
    }

    // The units of a method in rank order.
    static std::vector<int> byRank(const MethodResults& method) {
        std::vector<int> order(method.ranks.size());
        for (std::size_t i = 0; i < method.ranks.size(); ++i)
            order[std::size_t(method.ranks[i] - 1)] = int(i);
        return order;
    }

    QString listOf(const MethodResults& method, const std::vector<int>& order, int from,
                   int to) const {
        QStringList names;
        for (int i = from; i < to; ++i) {
            const int unit = order[std::size_t(i)];
            names.append(QStringLiteral("%1 (%2)").arg(
                method.labels[unit], m_regional.indexText(method.values[std::size_t(unit)])));
        }
        return names.join(QStringLiteral(", "));
    }

    void methodSection(const MethodResults& method) {
        // A composite is named and described by its own definition.
        const bool composite = methodWithCode(method.code) == nullptr;
        m_pages.heading(method.code + QStringLiteral(" – ") +
                        (composite ? method.header : methodName(method.code)));
        m_pages.paragraph(composite ? compositeDescription(method.definition)
                                    : methodDescription(method.code));
        const std::vector<int> order = byRank(method);
        const int n = int(order.size());
        const int ends = std::min(kEnds, n / 2);
        if (ends > 0)
            m_pages.paragraph(
                QStringLiteral("Prime unità: %1.\nUltime unità: %2.")
                    .arg(listOf(method, order, 0, ends), listOf(method, order, n - ends, n)));
        if (const QStringList groups = groupEnds(method, kEnds, m_regional); !groups.isEmpty())
            m_pages.paragraph(QStringLiteral("Per dimensione:\n") + groups.join(u'\n'));
        if (n > kInlineUnits) {
            m_pages.paragraph(QStringLiteral("La graduatoria completa è nell'allegato."));
            return;
        }
        ReportTable table;
        table.headers = {QStringLiteral("Rango"), corner(), method.header};
        if (table.headers[1].isEmpty())
            table.headers[1] = QStringLiteral("Unità");
        table.widths = {1, 4, 2};
        table.rows = n;
        table.firstNumberColumn = 2;
        table.cell = [&](int row, int column) -> QString {
            const int unit = order[std::size_t(row)];
            switch (column) {
            case 0:
                return QString::number(row + 1);
            case 1:
                return method.labels[unit];
            default:
                return m_regional.indexText(method.values[std::size_t(unit)]);
            }
        };
        m_pages.table(table);
    }

    double heatmapRoom(const QStringList& headers, HeatmapScale scale) const {
        return heatmapHeight(int(headers.size()), std::min(m_pages.width(), 460.0), scale);
    }

    void heatmap(const QStringList& headers, const std::vector<double>& matrix,
                 HeatmapScale scale) {
        const QRectF room = m_pages.reserve(heatmapRoom(headers, scale));
        drawHeatmap(m_pages.painter(), QRectF(room.topLeft(), QSizeF(460, room.height())), headers,
                    matrix, m_regional, scale);
    }

    // A cell of a table read back from a file: its text, or its number
    // (with four decimals unless whole is set).
    QString cellText(const DelimitedTable& table, int row, int column, bool whole = false) const {
        const std::size_t at =
            std::size_t(row) * std::size_t(table.columnCount()) + std::size_t(column);
        const auto text = std::lower_bound(table.texts.begin(), table.texts.end(), at,
                                           [](const std::pair<std::size_t, QString>& cell,
                                              std::size_t i) { return cell.first < i; });
        if (text != table.texts.end() && text->first == at)
            return text->second;
        const double value = table.number(row, column);
        if (!std::isfinite(value))
            return QString();
        return whole ? rankText(value, m_regional) : m_regional.indexText(value);
    }

    // The table of a file, the columns of whole numbers (counts) without
    // decimals.
    ReportTable fileTable(const DelimitedTable& source, double firstWidth) const {
        const int columns = source.columnCount();
        auto whole = std::make_shared<std::vector<char>>(std::size_t(columns), 1);
        for (int r = 0; r < source.rowCount(); ++r)
            for (int k = 0; k < columns; ++k) {
                const double value = source.number(r, k);
                if (std::isfinite(value) && (value != std::trunc(value) || std::abs(value) > 1e9))
                    (*whole)[std::size_t(k)] = 0;
            }
        ReportTable table;
        table.headers = source.headers;
        table.widths.assign(std::size_t(source.headers.size()), 1.0);
        table.widths[0] = firstWidth;
        table.rows = source.rowCount();
        table.cell = [this, &source, whole](int row, int column) {
            return column == 0
                       ? source.labels[row]
                       : cellText(source, row, column - 1, (*whole)[std::size_t(column - 1)] != 0);
        };
        return table;
    }

    void audit(const AuditTables& audit) {
        step(QStringLiteral("Rapporto: analisi statistica"));
        m_pages.heading(QStringLiteral("Analisi statistica degli indicatori"));
        const DelimitedTable& indicators = audit.indicators;
        const ReportTable indicatorTable = fileTable(indicators, 2.4);
        QStringList flagged;
        for (int r = 0; r < indicators.rowCount(); ++r)
            if (cellText(indicators, r, indicators.columnCount() - 1) == QStringLiteral("si"))
                flagged.append(indicators.labels[r]);
        m_pages.paragraph(
            QStringLiteral("La distribuzione di ogni indicatore come letto, con lo scarto "
                           "quadratico medio campionario (diviso per n − 1, non per n come "
                           "nella tabella della matrice). Sono anomali gli indicatori con "
                           "asimmetria oltre 2 in valore assoluto e curtosi oltre 3,5: %1.")
                .arg(flagged.isEmpty() ? QStringLiteral("nessuno")
                                       : flagged.join(QStringLiteral(", "))),
            m_pages.tableStart(indicatorTable));
        m_pages.table(indicatorTable);
        const int m = audit.correlations.rowCount();
        m_pages.heading(QStringLiteral("Correlazioni"), 2);
        if (m <= kHeatmapIndicators) {
            // The names are long: the heatmap numbers the indicators.
            QStringList numbers;
            QStringList legend;
            for (int j = 0; j < m; ++j) {
                numbers.append(QString::number(j + 1));
                legend.append(QStringLiteral("%1 %2").arg(j + 1).arg(audit.correlations.labels[j]));
            }
            m_pages.paragraph(
                QStringLiteral("Correlazione di Pearson di ogni coppia di indicatori, ciascuno "
                               "orientato secondo la polarità: da −1 (si contrastano, marrone) "
                               "a 1 (dicono la stessa cosa, verde acqua). Indicatori: %1.")
                    .arg(legend.join(QStringLiteral("; "))),
                heatmapRoom(numbers, HeatmapScale::Continuous));
            heatmap(numbers, audit.correlations.numbers, HeatmapScale::Continuous);
        } else {
            m_pages.paragraph(QStringLiteral("Con %1 indicatori la matrice delle correlazioni "
                                             "è nel foglio Audit della cartella dei risultati.")
                                  .arg(m));
        }
        m_pages.heading(QStringLiteral("Coerenza"), 2);
        const ReportTable coherence = fileTable(audit.coherence, 2.4);
        m_pages.paragraph(
            QStringLiteral(
                "Per ogni gruppo e per l'intera matrice: l'alfa di Cronbach degli indicatori "
                "standardizzati, il primo autovalore delle loro correlazioni, la quota di varianza "
                "che spiega e quanti autovalori superano 1."),
            m_pages.tableStart(coherence));
        m_pages.table(coherence);
        methodCoherence(audit);
    }

    // Each audited method's coherence of the elements, a table each.
    void methodCoherence(const AuditTables& audit) {
        for (const auto& [code, table] : audit.methodCoherence) {
            m_pages.heading(QStringLiteral("Coerenza degli elementi: %1").arg(code), 2);
            const ReportTable elements = fileTable(table, 2.4);
            m_pages.paragraph(
                QStringLiteral("Sotto il metodo %1, per ogni elemento: la correlazione con il "
                               "valore del suo gruppo (Pearson e Spearman) e con l'indice "
                               "complessivo, la quota nominale del suo peso e la quota "
                               "effettiva (il quadrato della correlazione sulla somma di quelli "
                               "del gruppo); debole sotto 0,3.")
                    .arg(code),
                m_pages.tableStart(elements));
            m_pages.table(elements);
        }
    }

    void comparison(const ComparisonResults& comparison) {
        step(QStringLiteral("Rapporto: confronto"));
        m_pages.heading(QStringLiteral("Confronto dei metodi"));
        const int n = comparison.methodCount();
        double lowest = 2;
        QString pair;
        for (int j = 0; j < n; ++j)
            for (int k = 0; k < j; ++k)
                if (comparison.cograduation[std::size_t(j * n + k)] < lowest) {
                    lowest = comparison.cograduation[std::size_t(j * n + k)];
                    pair = comparison.headers[k] + QStringLiteral(" e ") + comparison.headers[j];
                }
        m_pages.paragraph(
            QStringLiteral("Metodi confrontati: %1. La matrice di cograduazione riporta la "
                           "correlazione per ranghi di Spearman di ogni coppia di graduatorie, "
                           "da −1 (ordini opposti, marrone) a 1 (lo stesso ordine, verde "
                           "acqua), a passi più fitti vicino a 1 (la legenda sotto la matrice "
                           "ne dà i limiti). Le graduatorie più lontane sono quelle di %2 (%3).")
                .arg(comparison.headers.join(QStringLiteral(", ")), pair,
                     m_regional.fixed4(lowest)),
            heatmapRoom(comparison.headers, HeatmapScale::Stepped));
        heatmap(comparison.headers, comparison.cograduation, HeatmapScale::Stepped);
        if (!comparison.kendall.empty()) {
            m_pages.paragraph(QStringLiteral("Tau di Kendall delle stesse coppie:"),
                              heatmapRoom(comparison.headers, HeatmapScale::Stepped));
            heatmap(comparison.headers, comparison.kendall, HeatmapScale::Stepped);
        }
    }

    void robustness() {
        if (!m_results.robustness && m_results.sensitivities.empty() && !m_results.uncertainty &&
            !m_results.monteCarlo)
            return;
        step(QStringLiteral("Rapporto: robustezza"));
        m_pages.heading(QStringLiteral("Robustezza delle graduatorie"));
        if (const auto& rob = m_results.robustness; rob && rob->columnCount() >= 6) {
            const int n = rob->rowCount();
            double shift = 0;
            int unchanged = 0;
            for (int r = 0; r < n; ++r) {
                shift += rob->number(r, 5);
                unchanged += rob->number(r, 4) == 0 ? 1 : 0;
            }
            std::vector<int> order(static_cast<std::size_t>(n));
            std::iota(order.begin(), order.end(), 0);
            std::stable_sort(order.begin(), order.end(),
                             [&](int a, int b) { return rob->number(a, 4) > rob->number(b, 4); });
            ReportTable table;
            table.headers = rob->headers.mid(0, 6);
            table.widths = {3, 1.4, 1.4, 1.2, 1.2, 1.2};
            table.rows = std::min(n, kMostMoved);
            table.cell = [&](int row, int column) -> QString {
                const int unit = order[std::size_t(row)];
                if (column == 0)
                    return rob->labels[unit];
                // Ranks, and medians of ranks that may fall halfway.
                return medianRankText(rob->number(unit, column - 1), m_regional);
            };
            m_pages.paragraph(
                QStringLiteral("Spostamento medio dal rango di riferimento: %1 posizioni; unità "
                               "con lo stesso rango per ogni metodo: %2 su %3. Le unità il cui "
                               "rango varia di più tra i metodi:")
                    .arg(m_regional.indexText(n ? shift / n : 0))
                    .arg(unchanged)
                    .arg(n),
                m_pages.tableStart(table));
            m_pages.table(table);
        }
        for (const auto& [code, table] : m_results.sensitivities)
            sensitivity(code, table);
        if (const auto& unc = m_results.uncertainty; unc && unc->columnCount() >= 4) {
            m_pages.heading(QStringLiteral("Incertezza"), 2);
            const double height = rankIntervalsHeight(units());
            m_pages.paragraph(
                QStringLiteral("Ogni unità nella sua posizione di rango mediano su tutti i metodi "
                               "e gli insiemi di indicatori: la barra va dal 5° al 95° "
                               "percentile del rango, il punto è la mediana, il quadrato il "
                               "rango di riferimento; rango 1 a sinistra."),
                height);
            const QRectF room = m_pages.reserve(height);
            drawRankIntervals(m_pages.painter(), room, *unc, m_regional);
        }
        if (const auto& mc = m_results.monteCarlo; mc && mc->columnCount() >= 5)
            monteCarlo(*mc);
    }

    // The rank intervals over the Monte Carlo runs and, with the Saltelli
    // design, which uncertain choice moves the ranks.
    void monteCarlo(const DelimitedTable& mc) {
        m_pages.heading(QStringLiteral("Analisi Monte Carlo"), 2);
        const double height = rankIntervalsHeight(units());
        m_pages.paragraph(
            QStringLiteral("Le scelte incerte estratte a caso: ogni unità nella sua posizione di "
                           "rango mediano sulle estrazioni; la barra va dal 5° al 95° percentile "
                           "del rango, il punto è la mediana, il quadrato il rango nominale; "
                           "rango 1 a sinistra."),
            height);
        drawRankIntervals(m_pages.painter(), m_pages.reserve(height), mc, m_regional, 1, 3);
        if (const auto& origin = m_results.monteCarloOrigin)
            m_pages.paragraph(monteCarloSettings(*origin));
        const auto& sobol = m_results.sobol;
        if (!sobol)
            return;
        m_pages.paragraph(
            QStringLiteral(
                "Indici di Sobol di ogni fattore sullo spostamento medio dei ranghi: il primo "
                "ordine misura l'effetto della scelta da sola, il totale anche le sue interazioni; "
                "le linee sono gli intervalli al 90%. Un indice vale al più 1, ma la sua stima "
                "può superarlo, soprattutto con poche estrazioni: è l'errore di campionamento "
                "degli stimatori, che gli intervalli misurano."),
            kSobolChart);
        drawSobolBars(m_pages.painter(), m_pages.reserve(kSobolChart), *sobol, m_regional);
        ReportTable table;
        table.headers = sobol->headers;
        table.widths = {2.4, 1, 1, 1, 1, 1, 1};
        table.rows = sobol->rowCount();
        table.cell = [&](int row, int column) -> QString {
            if (column == 0)
                return sobol->labels[row];
            const double value = sobol->number(row, column - 1);
            return std::isfinite(value) ? m_regional.fixed4(value) : QString();
        };
        m_pages.table(table);
    }

    // What the Monte Carlo drew and how: its settings, then each factor
    // with its levels.
    static QString monteCarloSettings(const AnalysisOrigin& origin) {
        QStringList factors;
        if (origin.methods.size() > 1)
            factors.append(QStringLiteral("il metodo, tra %1 (nominale %2)")
                               .arg(origin.methods.join(QStringLiteral(", ")), origin.reference));
        if (origin.settings.contains(QStringLiteral("pesi")))
            factors.append(QStringLiteral("i pesi"));
        if (!origin.indicators.isEmpty())
            factors.append(QStringLiteral("gli indicatori (%1)").arg(origin.indicators));
        if (origin.missing.contains(u','))
            factors.append(
                QStringLiteral("il trattamento dei mancanti, tra %1").arg(origin.missing));
        if (origin.outliers == QStringLiteral("fattore"))
            factors.append(QStringLiteral("il trattamento degli anomali, sì o no"));
        QString text = QStringLiteral("Impostazioni: %1.")
                           .arg(origin.settings.isEmpty() ? QStringLiteral("non registrate")
                                                          : origin.settings);
        text +=
            factors.isEmpty()
                ? QStringLiteral(" Nessun fattore estratto.")
                : QStringLiteral(" Fattori estratti: %1.").arg(factors.join(QStringLiteral("; ")));
        if (origin.methods.size() == 1)
            text += QStringLiteral(" Metodo: %1.").arg(origin.methods.front());
        if (!origin.missing.isEmpty() && !origin.missing.contains(u','))
            text += QStringLiteral(" Mancanti: %1.").arg(origin.missing);
        if (origin.outliers == QStringLiteral("trattati"))
            text += QStringLiteral(" Anomali trattati in ogni estrazione.");
        return text;
    }

    void sensitivity(const QString& code, const DelimitedTable& table) {
        const int m = table.columnCount() - 3; // rank, the indicators, largest shift, indicator
        if (m < 1)
            return;
        QHash<QString, int> causes;
        double largest = 0;
        for (const auto& [at, text] : table.texts)
            if (int(at % std::size_t(table.columnCount())) == m + 2)
                ++causes[text];
        for (int r = 0; r < table.rowCount(); ++r)
            if (std::isfinite(table.number(r, m + 1)))
                largest = std::max(largest, table.number(r, m + 1));
        QString most;
        int count = 0;
        for (auto it = causes.cbegin(); it != causes.cend(); ++it)
            if (it.value() > count || (it.value() == count && it.key() < most)) {
                most = it.key();
                count = it.value();
            }
        m_pages.heading(QStringLiteral("Sensibilità di %1 agli indicatori").arg(code), 2);
        m_pages.paragraph(
            count > 0
                ? QStringLiteral("Togliendo un indicatore alla volta, il rango di un'unità si "
                                 "sposta al più di %1 posizioni. L'indicatore che causa più spesso "
                                 "lo spostamento maggiore è %2 (per %3 unità su %4).")
                      .arg(qint64(largest))
                      .arg(most)
                      .arg(count)
                      .arg(table.rowCount())
                : QStringLiteral("Togliendo un indicatore alla volta, nessun rango si sposta."));
    }

    // The period whose mean over the units of (AMPI+ + AMPI-) / 2, the mean
    // of the normalised indicators, is 100: the base period, where the
    // reference of every indicator was taken. Empty without both variants
    // or when no period comes within rounding of 100.
    QString basePeriod() const {
        const auto& ampi = m_results.ampi;
        if (ampi.size() != 2 || ampi[0].values.headers != ampi[1].values.headers)
            return QString();
        const DelimitedTable& plus = ampi[0].values;
        const DelimitedTable& minus = ampi[1].values;
        QString base;
        double closest = 0.01;
        for (int p = 0; p < plus.columnCount(); ++p) {
            double sum = 0;
            for (int u = 0; u < plus.rowCount(); ++u)
                sum += (plus.number(u, p) + minus.number(u, p)) / 2;
            const double gap = std::abs(sum / plus.rowCount() - 100);
            if (gap < closest) {
                closest = gap;
                base = plus.headers[p + 1];
            }
        }
        return base;
    }

    void ampi() {
        step(QStringLiteral("Rapporto: analisi temporale"));
        m_pages.heading(QStringLiteral("Analisi temporale (AMPI)"));
        const QString base = basePeriod();
        m_pages.paragraph(
            QStringLiteral("L'indice di Mazziotta-Pareto corretto di ogni unità in ogni periodo: "
                           "gli indicatori sono normalizzati sugli stessi estremi per tutti i "
                           "periodi, con il riferimento (100) nel periodo base, così che i "
                           "valori si confrontano nel tempo. AMPI+ penalizza lo squilibrio tra "
                           "gli indicatori quando l'indice cresce con il fenomeno, AMPI− quando "
                           "decresce.") +
            (base.isEmpty() ? QString() : QStringLiteral(" Periodo base: %1.").arg(base)));
        for (const AmpiTables& variant : m_results.ampi) {
            const DelimitedTable& values = variant.values;
            m_pages.heading(QStringLiteral("AMPI") + (variant.sign == QLatin1String("+")
                                                          ? QStringLiteral("+")
                                                          : QStringLiteral("−")),
                            2);
            // Up to kAmpiPeriods periods a table, so that the values keep
            // their width.
            std::vector<ReportTable> tables;
            for (int from = 0; from < values.columnCount(); from += kAmpiPeriods) {
                const int to = std::min(values.columnCount(), from + kAmpiPeriods);
                ReportTable& table = tables.emplace_back();
                table.headers.append(values.headers[0].isEmpty() ? QStringLiteral("Unità")
                                                                 : values.headers[0]);
                for (int p = from; p < to; ++p)
                    table.headers.append(values.headers[p + 1] == base
                                             ? base + QStringLiteral(" (base)")
                                             : values.headers[p + 1]);
                table.widths.assign(std::size_t(table.headers.size()), 1.0);
                table.widths[0] = 3;
                table.rows = values.rowCount();
                table.cell = [this, &values, from](int row, int column) -> QString {
                    return column == 0 ? values.labels[row]
                                       : cellText(values, row, from + column - 1);
                };
            }
            if (variant.ranks) {
                QStringList firsts;
                for (int p = 0; p < values.columnCount(); ++p)
                    for (int u = 0; u < values.rowCount(); ++u)
                        if (variant.ranks->number(u, p) == 1)
                            firsts.append(QStringLiteral("%1 %2").arg(values.headers[p + 1],
                                                                      values.labels[u]));
                m_pages.paragraph(QStringLiteral("Prima unità per periodo: %1.")
                                      .arg(firsts.join(QStringLiteral("; "))),
                                  m_pages.tableStart(tables.front()));
            }
            for (const ReportTable& table : tables)
                m_pages.table(table);
        }
    }

    void annex() {
        m_pages.newPage();
        m_pages.heading(QStringLiteral("Allegato: graduatorie complete"));
        m_pages.paragraph(QStringLiteral("Il rango di ogni unità per ogni metodo, nell'ordine "
                                         "della matrice."));
        ReportTable table;
        table.headers.append(corner().isEmpty() ? QStringLiteral("Unità") : corner());
        table.widths.push_back(std::max(3.0, 9 - double(m_results.methods.size()) / 2));
        for (const MethodResults& method : m_results.methods) {
            table.headers.append(method.code);
            table.widths.push_back(1);
        }
        table.rows = units();
        table.cell = [&](int row, int column) -> QString {
            if (column == 0)
                return m_results.methods.front().labels[row];
            return rankText(m_results.methods[std::size_t(column - 1)].ranks[std::size_t(row)],
                            m_regional);
        };
        m_pages.table(table);
    }

    ReportPages& m_pages;
    const ResultsCollection& m_results;
    const Matrix& m_matrix;
    const Regional& m_regional;
    WorkProgress* m_progress;
};

} // namespace

Status writePdfReport(const QString& path, const ResultsCollection& results,
                      WorkProgress* progress) {
    SafeFile file(path);
    if (Status opened = file.open(); !opened)
        return opened;
    // The PDF writer tells no failure: its bytes go through a device that
    // keeps the first one, and the painter says whether the end was written.
    SafeFileDevice device(file);
    bool ended = false;
    {
        QPdfWriter writer(&device);
        writer.setCreator(QStringLiteral("Orvalta"));
        writer.setTitle(QStringLiteral("Rapporto: ") + QFileInfo(results.strMatrice).fileName());
        ReportPages pages(writer, QFileInfo(results.strMatrice).fileName());
        if (!pages.isActive())
            return failure(FailureKind::File,
                           QStringLiteral("Impossibile scrivere il rapporto %1.").arg(path));
        Report(pages, results, progress).write();
        ended = pages.finish();
    }
    if (progress && progress->cancelled())
        return failure(FailureKind::File, QStringLiteral("Rapporto annullato."));
    if (Status written = device.finish(); !written)
        return written;
    if (!ended || device.written() == 0)
        return failure(
            FailureKind::File,
            QStringLiteral("Impossibile scrivere il rapporto %1: il PDF non è stato completato.")
                .arg(path));
    return file.commit();
}
