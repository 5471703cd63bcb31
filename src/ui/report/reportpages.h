#pragma once

#include <QFont>
#include <QPainter>
#include <QString>
#include <QStringList>

#include <functional>
#include <utility>
#include <vector>

class QPdfWriter;

// A table to lay out over as many pages as it needs, its header row
// repeated at the top of each.
struct ReportTable {
    QStringList headers;
    std::vector<double> widths; // relative column widths
    int rows = 0;
    std::function<QString(int row, int column)> cell;
    // Columns from this one on are numbers, set flush right.
    int firstNumberColumn = 1;
};

// Lays a report out on the pages of a PDF writer from the top down: A4
// portrait, its units points, headings, wrapped paragraphs, tables and
// drawings; a footer with the report's title and the page number on every
// page.
class ReportPages {
public:
    ReportPages(QPdfWriter& writer, const QString& footer);
    ~ReportPages();

    bool isActive() const { return m_painter.isActive(); }
    QPainter& painter() { return m_painter; }
    int pageCount() const { return m_page; }

    void title(const QString& text);
    // A heading. It is drawn with what comes next and goes to the next page
    // with it, so a heading never ends a page.
    void heading(const QString& text, int level = 1);
    // A paragraph. A caption names in keepWith the height of the start of
    // what it captions (tableStart for a table, a drawing's height): both go
    // to the next page when that start would not fit under it.
    void paragraph(const QString& text, double keepWith = 0);
    void table(const ReportTable& table);
    // The height of a table's header row and its first two rows.
    double tableStart(const ReportTable& table);
    // Room of the given height across the text width, on this page when it
    // fits, else on the next; the caller draws into it.
    QRectF reserve(double height);
    void space(double height) { m_y += height; }
    void newPage();
    // Ends the last page; the writer's file is complete afterwards. False
    // when the painter was not active or could not end.
    bool finish();

    double width() const { return m_width; }

private:
    void startPage();
    // Starts a new page unless height, and the pending heading, fit on this
    // one; then draws the pending heading.
    void ensure(double height);
    // Where a table's columns lie and how tall its rows are.
    struct TableLayout {
        std::vector<double> left;
        std::vector<double> widths;
        double rowHeight = 0;
        double headerHeight = 0; // with its headers wrapped
    };
    TableLayout layout(const ReportTable& table) const;
    QRectF cellBox(const TableLayout& layout, int column, double height) const;
    double bottom() const;

    QPdfWriter& m_writer;
    QPainter m_painter;
    QString m_footer;
    QFont m_body;
    QFont m_small;
    double m_width = 0;
    double m_height = 0;
    double m_y = 0;
    int m_page = 0;
    // The headings waiting for what follows them, each with its level.
    std::vector<std::pair<QString, int>> m_headings;
};
