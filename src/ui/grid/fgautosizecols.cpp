#include "ui/grid/fgautosizecols.h"

#include "ui/grid/gridview.h"
#include "ui/grid/textmeasure.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFontMetricsF>

#include <algorithm>
#include <array>
#include <cmath>

namespace {

// Rounds to the nearest whole pixel, halves to even.
qreal roundHalfEven(qreal value) {
    return std::nearbyint(value);
}

// The widest text of column col, every cell in the grid's font.
qreal widestInGridFont(const GridModel& model, int col, int rows, TextMeasure& measure,
                       bool shapesUsable) {
    qreal widest = 0;
    std::array<bool, GridModel::kMaxShapeKeys> shapes{};
    for (int r = 0; r < rows; ++r) {
        if (shapesUsable) {
            const int key = model.shapeKey(r, col);
            if (key >= 0 && key < GridModel::kMaxShapeKeys) {
                shapes[static_cast<std::size_t>(key)] = true;
                continue;
            }
        }
        widest = std::max(widest, roundHalfEven(measure.width(model.gridText(r, col))));
    }
    for (int key = 0; key < GridModel::kMaxShapeKeys; ++key) {
        if (!shapes[static_cast<std::size_t>(key)])
            continue;
        const qreal width = measure.patternWidth(model.shapePattern(key));
        if (width >= 0) {
            widest = std::max(widest, roundHalfEven(width));
            continue;
        }
        // The font does not draw this shape's digits alike: measure its
        // cells one by one.
        for (int r = 0; r < rows; ++r) {
            if (model.shapeKey(r, col) == key)
                widest = std::max(widest, roundHalfEven(measure.exact(model.gridText(r, col))));
        }
    }
    return widest;
}

// The widest of the texts, in the grid's font.
qreal widestOf(const QStringList& texts, TextMeasure& measure) {
    qreal widest = 0;
    for (const QString& text : texts)
        widest = std::max(widest, roundHalfEven(measure.width(text)));
    return widest;
}

} // namespace

void FG_AutosizeCols(GridView& myGrid, int lFirstCol, int lLastCol, bool bCheckFont) {
    const GridModel* model = myGrid.gridModel();
    if (!model)
        return;
    const int columns = model->gridColumnCount();
    const int rows = model->gridRowCount();
    const int first = std::max(lFirstCol == -1 ? 0 : lFirstCol, 0);
    const int last = std::min(lLastCol == -1 ? columns - 1 : lLastCol, columns - 1);
    if (first > last)
        return;

    if (bCheckFont) {
        // Each cell in its own font; the font of the last cell measured
        // carries over to the "W" and to the next column, as when the
        // measuring font is switched cell by cell.
        QFont current = myGrid.font();
        for (int c = first; c <= last; ++c) {
            qreal widest = 0;
            for (int r = 0; r < rows; ++r) {
                current = model->cellFont(r, c).value_or(myGrid.font());
                const qreal w =
                    roundHalfEven(QFontMetricsF(current).horizontalAdvance(model->gridText(r, c)));
                widest = std::max(widest, w);
            }
            const qreal letter = QFontMetricsF(current).horizontalAdvance(QStringLiteral("W"));
            myGrid.setGridColumnWidth(c, static_cast<int>(roundHalfEven(letter + widest)));
        }
        return;
    }

    TextMeasure measure(myGrid.font());
    const qreal letter = measure.exact(QStringLiteral("W"));
    for (int c = first; c <= last; ++c) {
        const QStringList sample = model->widthSample(c);
        const qreal widest =
            sample.isEmpty() ? widestInGridFont(*model, c, rows, measure, measure.digitsUniform())
                             : widestOf(sample, measure);
        myGrid.setGridColumnWidth(c, static_cast<int>(roundHalfEven(letter + widest)));
    }
}

void fitColumnsAnswering(GridView& grid) {
    const int columns = grid.gridColumnCount();
    grid.setUpdatesEnabled(false);
    QElapsedTimer slice;
    slice.start();
    for (int c = 0; c < columns; ++c) {
        FG_AutosizeCols(grid, c, c, false);
        if (slice.elapsed() >= 10 && c + 1 < columns) {
            QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
            slice.restart();
        }
    }
    grid.setUpdatesEnabled(true);
}
