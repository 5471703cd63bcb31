#include "ui/grid/gridview.h"

#include "ui/grid/gridsortproxy.h"

#include <QAbstractButton>
#include <QApplication>
#include <QClipboard>
#include <QFontMetricsF>
#include <QHeaderView>
#include <QKeyEvent>
#include <QStyle>
#include <QStyleOptionHeader>
#include <QStylePainter>

#include <algorithm>
#include <cmath>
#include <optional>

GridView::GridView(QWidget* parent) : QTableView(parent) {
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setSelectionMode(QAbstractItemView::ExtendedSelection);
    setWordWrap(false);
    setTextElideMode(Qt::ElideRight);
    setCornerButtonEnabled(true);

    QHeaderView* rows = verticalHeader();
    rows->setSectionResizeMode(QHeaderView::Fixed);
    rows->setDefaultSectionSize(fontMetrics().height() + 6);
    rows->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    rows->setHighlightSections(false);

    QHeaderView* columns = horizontalHeader();
    columns->setSectionResizeMode(QHeaderView::Interactive);
    columns->setDefaultAlignment(Qt::AlignCenter);
    columns->setHighlightSections(false);
    columns->setMinimumSectionSize(1);
    // A double click on a divider sizes every column by the grid's own rule
    // instead of the view's per-column default.
    disconnect(columns, &QHeaderView::sectionHandleDoubleClicked, nullptr, nullptr);
    connect(columns, &QHeaderView::sectionHandleDoubleClicked, this,
            [this] { Q_EMIT autosizeRequested(); });

    m_corner = findChild<QAbstractButton*>();
    if (m_corner)
        m_corner->installEventFilter(this);
}

void GridView::setGridModel(GridModel* model) {
    if (m_model)
        disconnect(m_model, nullptr, this, nullptr);
    m_model = model;
    if (m_sorter)
        m_sorter->setGridModel(model);
    else
        setModel(model);
    if (model)
        connect(model, &QAbstractItemModel::modelReset, this, &GridView::modelWasReset);
    modelWasReset();
}

void GridView::enableSorting() {
    if (m_sorter)
        return;
    m_sorter = new GridSortProxy(this);
    m_sorter->setGridModel(m_model);
    QHeaderView* header = horizontalHeader();
    header->setSortIndicatorShown(true);
    header->setSortIndicatorClearable(true);
    header->setSortIndicator(-1, Qt::AscendingOrder);
    setModel(m_sorter);
    setSortingEnabled(true);
}

int GridView::modelRow(int viewRow) const {
    return m_sorter ? m_sorter->mapToSource(m_sorter->index(viewRow, 0)).row() : viewRow;
}

int GridView::viewRow(int modelRow) const {
    return m_sorter && m_model ? m_sorter->mapFromSource(m_model->index(modelRow, 0)).row()
                               : modelRow;
}

void GridView::modelWasReset() {
    if (m_corner)
        m_corner->update();
}

int GridView::gridColumnCount() const {
    return m_model ? m_model->gridColumnCount() : 0;
}

int GridView::gridColumnWidth(int col) const {
    if (col == 0)
        return m_labelWidth > 0 ? m_labelWidth : verticalHeader()->width();
    return columnWidth(col - 1);
}

int GridView::labelColumnWidth(int asked) const {
    const QHeaderView* labels = verticalHeader();
    // The header draws a label within a margin on either side and cuts
    // short a label wider than what is left; the corner's text shares the
    // column.
    const int margins = 2 * labels->style()->pixelMetric(QStyle::PM_HeaderMargin, nullptr, labels);
    const QFontMetricsF metrics(labels->font());
    qreal widest = metrics.horizontalAdvance(cornerText());
    const int rows = m_model ? m_model->gridRowCount() : 0;
    for (int r = 1; r < rows; ++r) {
        const std::optional<QFont> font = m_model->cellFont(r, 0);
        const QString text = m_model->gridText(r, 0);
        widest = std::max(widest, font ? QFontMetricsF(*font).horizontalAdvance(text)
                                       : metrics.horizontalAdvance(text));
    }
    const int needed = int(std::ceil(widest)) + margins + 1;
    // Labels longer than a share of the window are cut short; their
    // tooltips hold them whole.
    const int room = std::max(kNarrowestLabelRoom, window()->width() * 2 / 5);
    return std::min(std::max(asked, needed), room);
}

void GridView::setGridColumnWidth(int col, int width) {
    if (col == 0) {
        m_labelWidth = width;
        verticalHeader()->setFixedWidth(labelColumnWidth(width));
        return;
    }
    if (m_sorter)
        width = std::max(width, horizontalHeader()->sectionSizeHint(col - 1));
    setColumnWidth(col - 1, width);
}

QString GridView::cornerText() const {
    return m_model && m_model->gridRowCount() > 0 && m_model->gridColumnCount() > 0
               ? m_model->gridText(0, 0)
               : QString();
}

bool GridView::eventFilter(QObject* watched, QEvent* event) {
    if (watched == m_corner && event->type() == QEvent::Paint) {
        paintCorner();
        return true;
    }
    return QTableView::eventFilter(watched, event);
}

void GridView::paintCorner() {
    QStylePainter painter(m_corner);
    QStyleOptionHeader option;
    option.initFrom(m_corner);
    option.rect = m_corner->rect();
    option.orientation = Qt::Horizontal;
    option.position = QStyleOptionHeader::OnlyOneSection;
    option.text = cornerText();
    option.textAlignment = Qt::AlignLeft | Qt::AlignVCenter;
    option.state |= QStyle::State_Raised;
    if (isEnabled())
        option.state |= QStyle::State_Enabled;
    painter.drawControl(QStyle::CE_Header, option);
}

void GridView::keyPressEvent(QKeyEvent* event) {
    if (event == QKeySequence::Copy) {
        copySelection();
        event->accept();
        return;
    }
    QTableView::keyPressEvent(event);
}

// Copies the selected block as tab-separated lines, the header row and the
// label column included, ready to paste into a spreadsheet.
void GridView::copySelection() const {
    if (!m_model || !selectionModel())
        return;
    const QModelIndexList selected = selectionModel()->selectedIndexes();
    if (selected.isEmpty())
        return;
    int top = selected.first().row(), bottom = top;
    int left = selected.first().column(), right = left;
    for (const QModelIndex& index : selected) {
        top = std::min(top, index.row());
        bottom = std::max(bottom, index.row());
        left = std::min(left, index.column());
        right = std::max(right, index.column());
    }
    QString text;
    const auto appendRow = [&](int gridRow) {
        text += m_model->gridText(gridRow, 0);
        for (int c = left; c <= right; ++c)
            text += u'\t' + m_model->gridText(gridRow, c + 1);
        text += u'\n';
    };
    appendRow(0);
    // The rows as on view.
    for (int r = top; r <= bottom; ++r)
        appendRow(modelRow(r) + 1);
    QApplication::clipboard()->setText(text);
}
