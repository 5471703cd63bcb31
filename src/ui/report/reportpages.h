#pragma once

#include <QFont>
#include <QPainter>
#include <QString>
#include <QStringList>

#include <functional>
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
    // A heading; level 1 starts on a new page when asked.
    void heading(const QString& text, int level = 1);
    void paragraph(const QString& text);
    void table(const ReportTable& table);
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
    void ensure(double height);
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
};
