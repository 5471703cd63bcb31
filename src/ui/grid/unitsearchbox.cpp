#include "ui/grid/unitsearchbox.h"

#include <QKeyEvent>
#include <QTimer>

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

void UnitSearchBox::keyPressEvent(QKeyEvent* event) {
    QLineEdit::keyPressEvent(event);
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter)
        event->accept();
}
