#include "guitestsupport.h"

#include "workrecorder.h"

#include "ui/grid/gridview.h"
#include "ui/mappage/mapview.h"
#include "ui/maps/mappicture.h"
#include "workbook/caricamatrice.h"

#include <QApplication>
#include <QChart>
#include <QChartView>
#include <QFile>
#include <QGraphicsTextItem>
#include <QHeaderView>
#include <QLegend>
#include <QLegendMarker>
#include <QStyle>
#include <QTest>
#include <QToolTip>

Processing::MatrixLoader memoryLoader(std::shared_ptr<Rows> rows, const Regional& regional) {
    return [rows, regional](const QString& path, WorkProgress* progress) {
        const MemoryReader reader(*rows);
        return carica_matrice(reader, path, regional, progress);
    };
}

Processing::MatrixLoader memoryLoader(const Rows& rows, const Regional& regional) {
    return memoryLoader(std::make_shared<Rows>(rows), regional);
}

bool writeMethodResults(const QString& workbook, const Rows& rows,
                        const std::vector<int>& positions, const Regional& regional) {
    const std::unique_ptr<Processing> processing = processingOf(workbook, rows, regional);
    for (const int position : positions)
        if (!processing->run(MethodPosition(position)))
            return false;
    return true;
}

CellValue t(const char* text) {
    return CellValue(QString::fromUtf8(text));
}

Rows skewedProvinces() {
    Rows rows{{t("Provincia"), t("Reddito"), t("Servizi")}};
    const double income[] = {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 200, 11};
    const char* names[] = {"Alfa", "Beta",  "Gamma", "Delta", "Epsilon", "Zeta",
                           "Eta",  "Theta", "Iota",  "Kappa", "Lambda",  "Mu"};
    for (int i = 0; i < 12; ++i)
        rows.push_back({t(names[i]), income[i], double((i * 7) % 12 + 1)});
    return rows;
}

QStringList viewColumnTexts(const GridView* grid, int col) {
    QStringList texts;
    const QAbstractItemModel* model = grid->model();
    for (int r = 0; r < model->rowCount(); ++r)
        texts.append(col == 0 ? model->headerData(r, Qt::Vertical).toString()
                              : model->index(r, col - 1).data().toString());
    return texts;
}

void clickColumnHeader(GridView* grid, int col) {
    QHeaderView* header = grid->horizontalHeader();
    QTest::mouseClick(
        header->viewport(), Qt::LeftButton, {},
        QPoint(header->sectionViewportPosition(col - 1) + header->sectionSize(col - 1) / 2,
               header->height() / 2));
}

QStringList gridColumnTexts(const GridView* grid, int col) {
    QStringList texts;
    for (int r = 0; r < grid->gridModel()->gridRowCount(); ++r)
        texts.append(grid->gridModel()->gridText(r, col));
    return texts;
}

QString tipAfterHover(QChartView* view, QAbstractSeries* series, QPointF at) {
    QWidget* window = view->window();
    window->activateWindow();
    if (!QTest::qWaitForWindowActive(window))
        return QString();
    QChart* chart = view->chart();
    const QPoint place = view->mapFromScene(chart->mapToScene(chart->mapToPosition(at, series)));
    QTest::mouseMove(view->viewport(), QPoint(1, 1));
    QTest::mouseMove(view->viewport(), place);
    // The view's own tooltip event comes once the mouse has rested.
    if (!QTest::qWaitFor([] { return QToolTip::isVisible(); }, kPatienceMs))
        return QString();
    return QToolTip::text();
}

QStringList drawnLegendTexts(const QChart* chart) {
    // Each entry an item holding its mark and its text, the entries held by
    // one item of the legend.
    QStringList texts;
    for (const QGraphicsItem* holder : chart->legend()->childItems())
        for (const QGraphicsItem* entry : holder->childItems())
            for (const QGraphicsItem* part : entry->childItems())
                if (entry->isVisible() && part->type() == QGraphicsTextItem::Type)
                    texts.append(static_cast<const QGraphicsTextItem*>(part)->toPlainText());
    texts.sort();
    return texts;
}

QStringList shownLegendLabels(const QChart* chart) {
    QStringList labels;
    for (const QLegendMarker* marker : chart->legend()->markers())
        if (marker->isVisible())
            labels.append(marker->label());
    labels.sort();
    return labels;
}

void riempi(Table& table, const Rows& rows) {
    const int lastRow = static_cast<int>(rows.size());
    const int lastCol = rows.empty() ? 0 : static_cast<int>(rows.front().size());
    table.dimension(lastRow, lastCol);
    for (int r = 1; r <= lastRow; ++r) {
        for (int c = 1; c <= lastCol; ++c) {
            const CellValue& value =
                rows[static_cast<std::size_t>(r - 1)][static_cast<std::size_t>(c - 1)];
            if (r == 1)
                table.header(c) = value;
            else if (c == 1)
                table.label(r) = value;
            else
                table(r, c) = value.isNumber() ? value.number() : Table::emptyNumber();
        }
    }
}

SharedState statoDa(const Rows& rows) {
    SharedState s;
    s.nRighe = static_cast<int>(rows.size());
    s.nColonne = rows.empty() ? 0 : static_cast<int>(rows.front().size());
    s.dimensionTables();
    riempi(s.matDati, rows);
    return s;
}

SharedState statoCaricatoDa(const Rows& rows) {
    SharedState s = statoDa(rows);
    for (int r = 2; r <= s.nRighe; ++r)
        for (int c = 2; c <= s.nColonne; ++c) {
            s.bNegativi = s.bNegativi || s.matDati(r, c) < 0;
            s.bZeri = s.bZeri || s.matDati(r, c) == 0;
        }
    return s;
}

bool writeSquareBoundaries(const QString& path, const QStringList& names) {
    QByteArray json = R"({"type": "FeatureCollection", "features": [)";
    for (qsizetype i = 0; i < names.size(); ++i) {
        const int west = 10 + int(i % 2);
        const int north = 46 - int(i / 2);
        json += QStringLiteral(R"(%1{"type": "Feature", "properties": {"nome": "%2"}, )"
                               R"("geometry": {"type": "Polygon", "coordinates": )"
                               R"([[[%3, %4], [%5, %4], [%5, %6], [%3, %6], [%3, %4]]]}})")
                    .arg(i > 0 ? QStringLiteral(", ") : QString(), names[i])
                    .arg(west)
                    .arg(north)
                    .arg(west + 1)
                    .arg(north - 1)
                    .toUtf8();
    }
    json += "]}";
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(json) == json.size();
}

QPointF unitCentre(const MapView* view, int unit) {
    const MapPicture* picture = view->picture().get();
    if (!picture)
        return {};
    for (const MapPicture::Unit& drawn : picture->units())
        if (drawn.index == unit)
            return picture->planeToTarget(QRectF(view->rect()), view->shownPart())
                .map(drawn.path.boundingRect().center());
    return {};
}
