#include "ui/grid/unitsearchbox.h"

#include <QKeyEvent>
#include <QTimer>

#include <algorithm>

UnitSearchBox::UnitSearchBox(QWidget* parent) : QLineEdit(parent), m_pause(new QTimer(this)) {
    setObjectName(QStringLiteral("txtCercaUnita"));
    setPlaceholderText(tr("Cerca unità..."));
    setToolTip(tr("Seleziona le unità la cui etichetta contiene il testo scritto"));
    setClearButtonEnabled(true);
    m_pause->setSingleShot(true);
    m_pause->setInterval(300);
    connect(this, &QLineEdit::textEdited, m_pause, qOverload<>(&QTimer::start));
    connect(m_pause, &QTimer::timeout, this, [this] { Q_EMIT searchRequested(text()); });
    connect(this, &QLineEdit::returnPressed, this, [this] {
        m_pause->stop();
        Q_EMIT searchRequested(text());
    });
}

QSize UnitSearchBox::sizeHint() const {
    // The placeholder whole, beside the clear button, within the frame.
    QSize size = QLineEdit::sizeHint();
    const int text = fontMetrics().horizontalAdvance(placeholderText());
    size.setWidth(std::max(size.width(), text + 2 * size.height() + 12));
    return size;
}

QSize UnitSearchBox::minimumSizeHint() const {
    return sizeHint();
}

void UnitSearchBox::keyPressEvent(QKeyEvent* event) {
    QLineEdit::keyPressEvent(event);
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter)
        event->accept();
}
