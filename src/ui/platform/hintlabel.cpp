#include "ui/platform/hintlabel.h"

#include "ui/platform/contrast.h"

#include <QPainter>

HintLabel::HintLabel(const QString& objectName, QWidget* parent) : QLabel(parent) {
    setObjectName(objectName);
    setAlignment(Qt::AlignCenter);
    setWordWrap(true);
    setContentsMargins(16, 0, 16, 0);
    setAttribute(Qt::WA_TransparentForMouseEvents);
}

QColor HintLabel::textColour() const {
    const QPalette& p = palette();
    return readableColour(p.color(QPalette::PlaceholderText),
                          {p.color(QPalette::Window), p.color(QPalette::Base)}, kMinimumContrast);
}

void HintLabel::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setPen(textColour());
    painter.drawText(contentsRect(), int(alignment()) | Qt::TextWordWrap, text());
}
