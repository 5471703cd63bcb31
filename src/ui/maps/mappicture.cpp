#include "ui/maps/mappicture.h"

#include "ui/charts/chartpalette.h"
#include "ui/grid/divergingpalette.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QFileInfo>
#include <QFont>
#include <QPainter>

#include <algorithm>
#include <cmath>

namespace {

QPainterPath pathOf(const MapShape& shape) {
    QPainterPath path;
    path.setFillRule(Qt::OddEvenFill);
    std::size_t elements = 0;
    for (const auto& ring : shape.rings)
        elements += ring.size() + 1; // its points and the closing line
    path.reserve(int(elements));
    for (const auto& ring : shape.rings) {
        path.moveTo(ring.front());
        for (std::size_t i = 1; i < ring.size(); ++i)
            path.lineTo(ring[i]);
        path.closeSubpath();
    }
    return path;
}

// The decimals the legend's bounds need to tell the classes apart: none for
// whole numbers, else enough for a hundredth of the range (at most four).
int legendDecimals(const std::vector<double>& breaks) {
    const bool whole =
        std::all_of(breaks.begin(), breaks.end(), [](double b) { return b == std::round(b); });
    if (whole || breaks.size() < 2)
        return 0;
    const double range = breaks.back() - breaks.front();
    const int decimals = range > 0 ? 2 - int(std::floor(std::log10(range))) : 2;
    return std::clamp(decimals, 0, 4);
}

// The bounds of class k as the legend writes them: from its lower bound to
// the next class's.
QString classText(const std::vector<double>& breaks, std::size_t k, const QLocale& locale) {
    const int decimals = legendDecimals(breaks);
    return locale.toString(breaks[k], 'f', decimals) + QStringLiteral(" – ") +
           locale.toString(breaks[k + 1], 'f', decimals);
}

// The same for whole values (ranks, shifts): the least and the greatest
// whole number the class holds ("1 – 5", "6 – 10"; "7" alone), so that no
// number is written as the bound of two classes.
QString classText(double least, double greatest, const QLocale& locale) {
    if (least >= greatest)
        return locale.toString(qint64(least));
    return locale.toString(qint64(least)) + QStringLiteral(" – ") +
           locale.toString(qint64(greatest));
}

QString wholeClassText(const std::vector<double>& breaks, std::size_t k, const QLocale& locale) {
    const bool last = k + 2 == breaks.size();
    const double least = std::ceil(breaks[k]);
    const double greatest = last ? std::floor(breaks[k + 1]) : std::ceil(breaks[k + 1]) - 1;
    return classText(least, greatest, locale);
}

// The sequential colour at t in [0, 1]: from a pale tint to the program's
// navy.
QColor sequentialColour(double t) {
    const QColor pale(0xee, 0xf3, 0xf7);
    const QColor& dark = chartpalette::kMedian;
    const auto mix = [t](int a, int b) { return int(std::lround(a + (b - a) * t)); };
    return QColor(mix(pale.red(), dark.red()), mix(pale.green(), dark.green()),
                  mix(pale.blue(), dark.blue()));
}

std::vector<QColor> classColours(const std::vector<double>& breaks, const MapSeries& series) {
    const int count = int(breaks.size()) - 1;
    std::vector<QColor> colours;
    if (series.diverging) {
        const double reach = std::max(std::abs(breaks.front()), std::abs(breaks.back()));
        for (int k = 0; k < count; ++k) {
            const double middle = (breaks[std::size_t(k)] + breaks[std::size_t(k) + 1]) / 2;
            colours.push_back(divergingpalette::colour(reach > 0 ? middle / reach : 0));
        }
        return colours;
    }
    for (int k = 0; k < count; ++k) {
        double t = count == 1 ? 0.6 : 0.08 + 0.92 * k / (count - 1);
        if (series.smallerIsBetter)
            t = count == 1 ? 0.6 : 1.0 - 0.92 * k / (count - 1);
        colours.push_back(sequentialColour(t));
    }
    return colours;
}

} // namespace

QColor MapPicture::noValueColour() {
    return QColor(0xc8, 0xc8, 0xc8);
}

QColor MapPicture::outlineColour() {
    return QColor(0x70, 0x70, 0x70);
}

MapShapes::MapShapes(const BoundaryLayer& layer, const BoundaryJoin& join, const QLocale& locale)
    : m_projection(projectionText(layer, locale)) {
    std::vector<bool> taken(layer.shapes.size(), false);
    for (int unit = 0; unit < int(join.shapeOfUnit.size()); ++unit) {
        const int shape = join.shapeOfUnit[std::size_t(unit)];
        if (shape < 0)
            continue;
        taken[std::size_t(shape)] = true;
        m_units.push_back({unit, pathOf(layer.shapes[std::size_t(shape)]),
                           layer.shapes[std::size_t(shape)].bounds});
    }
    for (std::size_t s = 0; s < layer.shapes.size(); ++s)
        if (!taken[s])
            m_others.push_back({-1, pathOf(layer.shapes[s]), layer.shapes[s].bounds});
    // A path computes its bounds when first asked and keeps them: asked
    // here, so that the window's drawing thread and its hit tests only read.
    for (const std::vector<Unit>* shapes : {&m_units, &m_others})
        for (const Unit& unit : *shapes) {
            unit.path.controlPointRect();
            unit.path.boundingRect();
            m_vertices += unit.path.elementCount();
            m_extent = m_extent.united(unit.bounds);
        }
}

MapPicture::MapPicture() : m_shapes(std::make_shared<const MapShapes>()) {}

MapPicture::MapPicture(const BoundaryLayer& layer, const BoundaryJoin& join,
                       const MapSeries& series, const MapStyle& style, const Regional& regional,
                       const QString& sourceLine)
    : MapPicture(std::make_shared<const MapShapes>(layer, join, regional.locale()), series, style,
                 regional, sourceLine) {}

MapPicture::MapPicture(std::shared_ptr<const MapShapes> shapes, const MapSeries& series,
                       const MapStyle& style, const Regional& regional, const QString& sourceLine)
    : m_shapes(std::move(shapes)), m_values(series.values), m_labels(series.labels),
      m_title(series.title), m_source(sourceLine), m_regional(regional) {
    std::vector<double> shown;
    for (const Unit& unit : m_shapes->units()) {
        const double value =
            unit.index < int(m_values.size()) ? m_values[std::size_t(unit.index)] : NAN;
        if (std::isnan(value))
            m_withoutValue.append(m_labels.value(unit.index));
        else
            shown.push_back(value);
    }
    m_breaks = classBreaks(shown, style.classes, style.breaks);
    const std::vector<QColor> colours = classColours(m_breaks, series);
    const bool whole = std::all_of(shown.begin(), shown.end(),
                                   [](double value) { return value == std::round(value); });
    for (std::size_t k = 0; k + 1 < m_breaks.size(); ++k)
        m_classes.push_back({m_breaks[k], m_breaks[k + 1],
                             whole ? wholeClassText(m_breaks, k, regional.locale())
                                   : classText(m_breaks, k, regional.locale()),
                             colours[k]});
    m_classOfUnit.assign(m_labels.size(), -1);
    for (std::size_t unit = 0; unit < m_values.size() && unit < m_classOfUnit.size(); ++unit)
        m_classOfUnit[unit] = classOf(m_values[unit], m_breaks);
}

int MapPicture::unitClass(int unit) const {
    return unit >= 0 && unit < int(m_classOfUnit.size()) ? m_classOfUnit[std::size_t(unit)] : -1;
}

QColor MapPicture::unitColour(int unit) const {
    const int k = unitClass(unit);
    return k < 0 ? noValueColour() : m_classes[std::size_t(k)].colour;
}

QString MapPicture::unitText(int unit) const {
    const QString label = m_labels.value(unit);
    const double value =
        unit >= 0 && unit < int(m_values.size()) ? m_values[std::size_t(unit)] : NAN;
    if (std::isnan(value))
        return QCoreApplication::translate("MapPicture", "%1: nessun valore").arg(label);
    const QString number = value == std::round(value) && std::abs(value) < 1e15
                               ? m_regional.locale().toString(qint64(value))
                               : m_regional.indexText(value);
    return label + QStringLiteral(": ") + number;
}

MapLayout MapPicture::layout(const QRectF& target) const {
    MapLayout layout;
    const double side = std::min(target.width(), target.height());
    const double font = std::max(7.0, std::round(side / 45));
    layout.fontPixels = font;
    const double margin = font;
    layout.title = QPointF(target.left() + margin, target.top() + margin + font * 1.2);
    const double top = target.top() + margin + font * 2.2;
    // The source and projection lines across the foot, the legend beside the
    // shapes (below them in a tall target).
    const double foot = target.bottom() - margin - font * 2.6;
    const bool beside = target.width() >= target.height();
    const double legendWidth = beside ? std::max(font * 14, target.width() * 0.26) : target.width();
    const double legendHeight =
        font * 1.6 * double(m_classes.size() + (m_withoutValue.isEmpty() ? 0 : 2));
    QRectF legend;
    if (beside) {
        layout.shapes = QRectF(target.left() + margin, top,
                               target.width() - legendWidth - 2 * margin, foot - top);
        legend = QRectF(layout.shapes.right() + margin, top, legendWidth - margin, foot - top);
    } else {
        layout.shapes = QRectF(target.left() + margin, top, target.width() - 2 * margin,
                               foot - top - legendHeight - margin);
        legend = QRectF(target.left() + margin, layout.shapes.bottom() + margin,
                        target.width() - 2 * margin, legendHeight);
    }
    const double step = font * 1.6;
    double y = legend.top();
    for (const MapClass& mapClass : m_classes) {
        layout.legend.push_back({QRectF(legend.left(), y, font * 1.8, font * 1.1),
                                 QPointF(legend.left() + font * 2.4, y + font * 0.95),
                                 mapClass.text, mapClass.colour, false});
        y += step;
    }
    if (!m_withoutValue.isEmpty()) {
        layout.legend.push_back({QRectF(legend.left(), y, font * 1.8, font * 1.1),
                                 QPointF(legend.left() + font * 2.4, y + font * 0.95),
                                 QCoreApplication::translate("MapPicture", "senza valore"),
                                 noValueColour(), true});
        y += step;
        constexpr int kNamed = 6;
        QString names = m_withoutValue.mid(0, kNamed).join(QStringLiteral(", "));
        if (m_withoutValue.size() > kNamed)
            names += QCoreApplication::translate("MapPicture", " e altre %1")
                         .arg(m_withoutValue.size() - kNamed);
        layout.notes.emplace_back(QPointF(legend.left(), y + font * 0.95), names);
        y += step;
    }
    layout.notes.emplace_back(QPointF(target.left() + margin, foot + font * 1.2), m_source);
    QString projection = m_shapes->projection();
    if (!projection.isEmpty())
        projection[0] = projection[0].toUpper();
    layout.notes.emplace_back(QPointF(target.left() + margin, foot + font * 2.3), projection);
    return layout;
}

QTransform MapPicture::planeToTarget(const QRectF& target, const QRectF& shown) const {
    const QRectF area = layout(target).shapes;
    const QRectF part = shown.isValid() ? shown : extent();
    if (part.width() <= 0 && part.height() <= 0)
        return QTransform();
    const double scale = std::min(part.width() > 0 ? area.width() / part.width() : INFINITY,
                                  part.height() > 0 ? area.height() / part.height() : INFINITY);
    const QPointF from = part.center();
    const QPointF to = area.center();
    return QTransform(scale, 0, 0, -scale, to.x() - scale * from.x(), to.y() + scale * from.y());
}

void MapPicture::draw(QPainter& painter, const QRectF& target, const QRectF& shown,
                      const std::vector<int>& highlighted) const {
    painter.save();
    painter.setRenderHints(QPainter::Antialiasing | QPainter::TextAntialiasing);
    painter.fillRect(target, Qt::white);
    const MapLayout parts = layout(target);
    drawShapes(painter, parts.shapes, planeToTarget(target, shown), highlighted);
    drawTexts(painter, parts);
    painter.restore();
}

namespace {

const QBrush& hatchBrush() {
    static const QBrush hatch(QColor(0x80, 0x80, 0x80), Qt::BDiagPattern);
    return hatch;
}

} // namespace

void MapPicture::drawShapes(QPainter& painter, const QRectF& area, const QTransform& toTarget,
                            const std::vector<int>& highlighted) const {
    painter.save();
    painter.setClipRect(area);
    // Only the shapes that reach into the area are drawn.
    const QRectF visible = toTarget.inverted().mapRect(area);
    QPen outline(outlineColour(), 0.5);
    outline.setCosmetic(true);
    painter.setPen(outline);
    painter.setBrush(Qt::NoBrush);
    for (const Unit& other : others())
        if (other.bounds.intersects(visible))
            painter.drawPath(toTarget.map(other.path));
    for (const Unit& unit : units()) {
        if (!unit.bounds.intersects(visible))
            continue;
        const QPainterPath path = toTarget.map(unit.path);
        painter.setBrush(unitColour(unit.index));
        painter.drawPath(path);
        if (unitClass(unit.index) < 0)
            painter.fillPath(path, hatchBrush());
    }
    QPen chosen(chartpalette::kChosenBorder, 2.0);
    chosen.setCosmetic(true);
    painter.setPen(chosen);
    painter.setBrush(Qt::NoBrush);
    for (const Unit& unit : units())
        if (std::find(highlighted.begin(), highlighted.end(), unit.index) != highlighted.end())
            painter.drawPath(toTarget.map(unit.path));
    painter.restore();
}

void MapPicture::drawTexts(QPainter& painter, const MapLayout& parts) const {
    QFont font = painter.font();
    font.setPixelSize(int(std::lround(parts.fontPixels)));
    QFont bold = font;
    bold.setBold(true);
    bold.setPixelSize(int(std::lround(parts.fontPixels * 1.25)));
    painter.setPen(Qt::black);
    painter.setFont(bold);
    painter.drawText(parts.title, m_title);
    painter.setFont(font);
    for (const MapLayout::Entry& entry : parts.legend) {
        painter.setPen(QPen(outlineColour(), 0.5));
        painter.setBrush(entry.colour);
        painter.drawRect(entry.swatch);
        if (entry.hatched)
            painter.fillRect(entry.swatch, hatchBrush());
        painter.setPen(Qt::black);
        painter.drawText(entry.text, entry.label);
    }
    QFont small = font;
    small.setPixelSize(std::max(6, int(std::lround(parts.fontPixels * 0.8))));
    painter.setFont(small);
    painter.setPen(QColor(0x40, 0x40, 0x40));
    for (const auto& [position, text] : parts.notes)
        painter.drawText(position, text);
}

int MapPicture::unitAt(const QPointF& point, const QRectF& target, const QRectF& shown) const {
    if (!layout(target).shapes.contains(point))
        return -1;
    bool invertible = false;
    const QPointF inPlane = planeToTarget(target, shown).inverted(&invertible).map(point);
    if (!invertible)
        return -1;
    for (const Unit& unit : units())
        if (unit.bounds.contains(inPlane) && unit.path.contains(inPlane))
            return unit.index;
    return -1;
}

QString mapSourceLine(const QString& workbook, const MapSeries& series, const Regional& regional) {
    QDateTime newest;
    for (const QString& file : series.files)
        if (const QFileInfo info(file);
            info.isFile() && (newest.isNull() || info.lastModified() > newest))
            newest = info.lastModified();
    const QDate date = newest.isNull() ? QDate::currentDate() : newest.date();
    QString format = regional.locale().dateFormat(QLocale::ShortFormat);
    if (!format.contains(QLatin1String("yyyy")))
        format.replace(QLatin1String("yy"), QLatin1String("yyyy"));
    return QCoreApplication::translate("MapPicture", "Fonte: %1, %2, %3")
        .arg(QFileInfo(workbook).fileName(), series.method,
             regional.locale().toString(date, format));
}
