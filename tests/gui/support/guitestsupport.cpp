#include "guitestsupport.h"

#include "workrecorder.h"

#include "ui/grid/gridview.h"
#include "workbook/caricamatrice.h"

#include <QApplication>
#include <QChart>
#include <QChartView>
#include <QHeaderView>
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
