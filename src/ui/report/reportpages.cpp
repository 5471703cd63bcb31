#include "ui/report/reportpages.h"

#include <QFontMetricsF>
#include <QPageLayout>
#include <QPageSize>
#include <QPdfWriter>

#include <algorithm>
#include <numeric>

namespace {

constexpr double kMargin = 48; // points around the text area
constexpr double kFooter = 24; // points under the text area for the footer
constexpr double kCellPad = 3; // points on either side of a cell's text
const QColor kRule(170, 170, 170);
const QColor kHeaderFill(232, 236, 240);

QFont font(double points, bool bold = false) {
    QFont f(QStringLiteral("DejaVu Sans"));
    f.setStyleHint(QFont::SansSerif);
    f.setPointSizeF(points);
    f.setBold(bold);
    return f;
}

} // namespace

ReportPages::ReportPages(QPdfWriter& writer, const QString& footer)
    : m_writer(writer), m_footer(footer), m_body(font(9.5)), m_small(font(7.5)) {
    writer.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait,
                                     QMarginsF(0, 0, 0, 0), QPageLayout::Point));
    writer.setResolution(72);
    if (!m_painter.begin(&writer))
        return;
    const QRectF page = writer.pageLayout().paintRect(QPageLayout::Point);
    m_width = page.width() - 2 * kMargin;
    m_height = page.height() - 2 * kMargin - kFooter;
    startPage();
}

ReportPages::~ReportPages() {
    if (m_painter.isActive())
        m_painter.end();
}

void ReportPages::startPage() {
    ++m_page;
    m_y = kMargin;
    m_painter.setFont(m_small);
    m_painter.setPen(Qt::darkGray);
    const double footerTop = kMargin + m_height + kFooter / 2;
    const QRectF footer(kMargin, footerTop, m_width, kFooter / 2);
    m_painter.drawText(footer, Qt::AlignLeft | Qt::AlignVCenter, m_footer);
    m_painter.drawText(footer, Qt::AlignRight | Qt::AlignVCenter,
                       QStringLiteral("Pagina %1").arg(m_page));
    m_painter.setPen(Qt::black);
}

double ReportPages::bottom() const {
    return kMargin + m_height;
}

void ReportPages::newPage() {
    m_writer.newPage();
    startPage();
}

void ReportPages::ensure(double height) {
    const auto headingFont = [](int level) { return font(level == 1 ? 14 : 11, true); };
    const auto gap = [](int level) { return level == 1 ? 12.0 : 6.0; };
    for (const auto& [text, level] : m_headings)
        height += gap(level) + QFontMetricsF(headingFont(level)).height() + 4;
    if (m_y + height > bottom() && m_y > kMargin)
        newPage();
    for (const auto& [text, level] : m_headings) {
        const QFont f = headingFont(level);
        const double lineHeight = QFontMetricsF(f).height();
        if (m_y > kMargin)
            m_y += gap(level);
        m_painter.setFont(f);
        m_painter.drawText(QRectF(kMargin, m_y, m_width, lineHeight),
                           Qt::AlignLeft | Qt::AlignVCenter, text);
        m_y += lineHeight + 4;
    }
    m_headings.clear();
}

bool ReportPages::finish() {
    ensure(0);
    return m_painter.isActive() && m_painter.end();
}

void ReportPages::title(const QString& text) {
    m_painter.setFont(font(18, true));
    const QRectF box =
        m_painter.boundingRect(QRectF(kMargin, m_y, m_width, 1000), Qt::TextWordWrap, text);
    m_painter.drawText(box, Qt::TextWordWrap, text);
    m_y = box.bottom() + 10;
}

void ReportPages::heading(const QString& text, int level) {
    m_headings.emplace_back(text, level);
}

void ReportPages::paragraph(const QString& text, double keepWith) {
    m_painter.setFont(m_body);
    const QRectF box =
        m_painter.boundingRect(QRectF(kMargin, 0, m_width, 10000), Qt::TextWordWrap, text);
    ensure(box.height() + (keepWith > 0 ? 6 + keepWith : 0));
    m_painter.setFont(m_body);
    m_painter.drawText(QRectF(kMargin, m_y, m_width, box.height()), Qt::TextWordWrap, text);
    m_y += box.height() + 6;
}

QRectF ReportPages::reserve(double height) {
    ensure(height);
    const QRectF room(kMargin, m_y, m_width, height);
    m_y += height + 6;
    return room;
}

ReportPages::TableLayout ReportPages::layout(const ReportTable& table) const {
    TableLayout layout;
    layout.rowHeight = QFontMetricsF(font(7.5)).height() + 2;
    const QFontMetricsF metrics(font(7.5, true), &m_writer);
    // Each column as wide as the longest word of its header, so that a
    // header wraps between words, never inside one; the rest of the width
    // shared by the relative widths among the columns that need no more.
    const std::size_t columns = table.widths.size();
    std::vector<double> least(columns, 0);
    for (std::size_t k = 0; k < columns && k < std::size_t(table.headers.size()); ++k)
        for (const QString& word : table.headers[qsizetype(k)].split(u' ', Qt::SkipEmptyParts))
            least[k] = std::max(least[k], metrics.horizontalAdvance(word) + 2 * kCellPad + 1);
    layout.widths.assign(columns, 0);
    std::vector<char> fixed(columns, 0);
    for (bool changed = true; changed;) {
        changed = false;
        double share = 0;
        double room = m_width;
        for (std::size_t k = 0; k < columns; ++k) {
            if (fixed[k])
                room -= least[k];
            else
                share += table.widths[k];
        }
        for (std::size_t k = 0; k < columns; ++k) {
            layout.widths[k] = fixed[k] ? least[k] : table.widths[k] / share * room;
            if (!fixed[k] && layout.widths[k] < least[k]) {
                fixed[k] = 1;
                changed = true;
            }
        }
    }
    double x = kMargin;
    for (const double w : layout.widths) {
        layout.left.push_back(x);
        x += w;
    }
    // A header longer than its column wraps onto more lines, the row as
    // tall as its tallest header.
    layout.headerHeight = layout.rowHeight;
    for (int k = 0; k < int(table.headers.size()); ++k)
        layout.headerHeight =
            std::max(layout.headerHeight, metrics.boundingRect(cellBox(layout, k, 1000),
                                                               Qt::TextWordWrap, table.headers[k])
                                                  .height() +
                                              2);
    return layout;
}

QRectF ReportPages::cellBox(const TableLayout& layout, int column, double height) const {
    const auto k = std::size_t(column);
    return QRectF(layout.left[k] + kCellPad, m_y, layout.widths[k] - 2 * kCellPad, height);
}

double ReportPages::tableStart(const ReportTable& table) {
    const TableLayout sizes = layout(table);
    return sizes.headerHeight + 2 * sizes.rowHeight;
}

void ReportPages::table(const ReportTable& table) {
    const QFont bodyFont = font(7.5);
    const QFont headerFont = font(7.5, true);
    const TableLayout sizes = layout(table);
    const double rowHeight = sizes.rowHeight;
    const int columns = int(table.headers.size());
    const auto drawHeader = [&] {
        m_painter.fillRect(QRectF(kMargin, m_y, m_width, sizes.headerHeight), kHeaderFill);
        m_painter.setFont(headerFont);
        for (int k = 0; k < columns; ++k) {
            const int align = k >= table.firstNumberColumn ? Qt::AlignRight : Qt::AlignLeft;
            m_painter.drawText(cellBox(sizes, k, sizes.headerHeight),
                               align | Qt::AlignVCenter | Qt::TextWordWrap, table.headers[k]);
        }
        m_y += sizes.headerHeight;
        m_painter.setPen(kRule);
        m_painter.drawLine(QPointF(kMargin, m_y), QPointF(kMargin + m_width, m_y));
        m_painter.setPen(Qt::black);
        m_painter.setFont(bodyFont);
    };
    ensure(sizes.headerHeight + 2 * rowHeight);
    drawHeader();
    const QFontMetrics metrics(bodyFont, &m_writer);
    QStringList texts;
    for (int r = 0; r < table.rows; ++r) {
        // The texts (the names) wrap onto as many lines as they need, the
        // row as tall as its tallest; a number too wide for its column is
        // cut short.
        texts.clear();
        double height = rowHeight;
        for (int k = 0; k < columns; ++k) {
            texts.append(table.cell(r, k));
            const double width = cellBox(sizes, k, rowHeight).width();
            if (metrics.horizontalAdvance(texts.back()) <= width)
                continue;
            if (k >= table.firstNumberColumn)
                texts.back() = metrics.elidedText(texts.back(), Qt::ElideRight, int(width));
            else
                height = std::max(height, metrics.boundingRect(QRect(0, 0, int(width), 10000),
                                                               Qt::TextWordWrap, texts.back())
                                                  .height() +
                                              2.0);
        }
        if (m_y + height > bottom()) {
            newPage();
            drawHeader();
        }
        for (int k = 0; k < columns; ++k) {
            const int align = k >= table.firstNumberColumn ? Qt::AlignRight : Qt::AlignLeft;
            m_painter.drawText(cellBox(sizes, k, height),
                               align | Qt::AlignVCenter | Qt::TextWordWrap, texts[k]);
        }
        m_y += height;
    }
    m_y += 8;
}
