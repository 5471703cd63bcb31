#include "ui/maps/mapexport.h"

#include <QPainterPath>

#include <cmath>

// The map's SVG is written here rather than through QSvgGenerator, which
// gives a path no <title>: each unit's shape carries its label and value.

namespace {

QByteArray escaped(const QString& text) {
    return text.toHtmlEscaped().toUtf8();
}

QByteArray number(double value) {
    return QByteArray::number(std::round(value * 100) / 100, 'f', 2);
}

QByteArray colourText(const QColor& colour) {
    return colour.name(QColor::HexRgb).toLatin1();
}

// The path's outline as SVG path data: each ring "M x y L x y ... Z".
QByteArray pathData(const QPainterPath& path) {
    QByteArray data;
    data.reserve(path.elementCount() * 16);
    for (int i = 0; i < path.elementCount(); ++i) {
        const QPainterPath::Element element = path.elementAt(i);
        if (element.isMoveTo()) {
            if (i > 0)
                data += 'Z';
            data += 'M';
        } else {
            data += 'L';
        }
        data += number(element.x) + ' ' + number(element.y);
    }
    if (!data.isEmpty())
        data += 'Z';
    return data;
}

void appendText(QByteArray& svg, const QPointF& at, const QString& text, double size,
                bool bold = false, const char* fill = "#000000") {
    svg += "<text x=\"" + number(at.x()) + "\" y=\"" + number(at.y()) + "\" font-size=\"" +
           number(size) + "\" font-family=\"sans-serif\" fill=\"" + fill + '"' +
           (bold ? QByteArray(" font-weight=\"bold\"") : QByteArray()) + '>' + escaped(text) +
           "</text>\n";
}

} // namespace

QByteArray mapSvg(const MapPicture& picture, const QSize& size) {
    const QRectF target{QPointF(), QSizeF(size)};
    const MapLayout parts = picture.layout(target);
    const QTransform toTarget = picture.planeToTarget(target);
    const QByteArray outline = colourText(MapPicture::outlineColour());
    QByteArray svg;
    svg += "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n";
    svg += "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"" + QByteArray::number(size.width()) +
           "\" height=\"" + QByteArray::number(size.height()) + "\" viewBox=\"0 0 " +
           QByteArray::number(size.width()) + ' ' + QByteArray::number(size.height()) + "\">\n";
    svg += "<title>" + escaped(picture.title()) + "</title>\n";
    svg += "<defs><pattern id=\"senza-valore\" width=\"6\" height=\"6\" "
           "patternUnits=\"userSpaceOnUse\"><rect width=\"6\" height=\"6\" fill=\"" +
           colourText(MapPicture::noValueColour()) +
           "\"/><path d=\"M0 6L6 0\" stroke=\"#808080\" stroke-width=\"1\"/></pattern></defs>\n";
    svg += "<rect width=\"100%\" height=\"100%\" fill=\"#ffffff\"/>\n";
    svg += "<g stroke=\"" + outline + "\" stroke-width=\"0.5\" fill-rule=\"evenodd\">\n";
    for (const MapPicture::Unit& other : picture.others())
        svg += "<path fill=\"none\" d=\"" + pathData(toTarget.map(other.path)) + "\"/>\n";
    for (const MapPicture::Unit& unit : picture.units()) {
        const QByteArray fill = picture.unitClass(unit.index) < 0
                                    ? QByteArray("url(#senza-valore)")
                                    : colourText(picture.unitColour(unit.index));
        svg += "<path fill=\"" + fill + "\" d=\"" + pathData(toTarget.map(unit.path)) +
               "\"><title>" + escaped(picture.unitText(unit.index)) + "</title></path>\n";
    }
    svg += "</g>\n";
    appendText(svg, parts.title, picture.title(), parts.fontPixels * 1.25, true);
    for (const MapLayout::Entry& entry : parts.legend) {
        svg += "<rect x=\"" + number(entry.swatch.x()) + "\" y=\"" + number(entry.swatch.y()) +
               "\" width=\"" + number(entry.swatch.width()) + "\" height=\"" +
               number(entry.swatch.height()) + "\" stroke=\"" + outline +
               "\" stroke-width=\"0.5\" fill=\"" +
               (entry.hatched ? QByteArray("url(#senza-valore)") : colourText(entry.colour)) +
               "\"/>\n";
        appendText(svg, entry.text, entry.label, parts.fontPixels);
    }
    for (const auto& [position, text] : parts.notes)
        appendText(svg, position, text, parts.fontPixels * 0.8, false, "#404040");
    svg += "</svg>\n";
    return svg;
}
