#include "ui/platform/clockstatusbar.h"

#include <QDateTime>
#include <QLabel>
#include <QTimer>

ClockStatusBar::ClockStatusBar(const QLocale& locale, QWidget* parent)
    : QStatusBar(parent), m_locale(locale), m_panel(new QLabel(this)), m_date(new QLabel(this)),
      m_time(new QLabel(this)), m_timer(new QTimer(this)) {
    setObjectName(QStringLiteral("stbStato"));
    setSizeGripEnabled(true);
    m_panel->setObjectName(QStringLiteral("stbPanel1"));
    m_date->setObjectName(QStringLiteral("stbData"));
    m_time->setObjectName(QStringLiteral("stbOra"));
    m_panel->setTextFormat(Qt::PlainText);
    m_panel->setMinimumWidth(50);
    m_panel->setContentsMargins(4, 0, 4, 0);
    for (QLabel* clock : {m_date, m_time}) {
        clock->setAlignment(Qt::AlignCenter);
        clock->setContentsMargins(6, 0, 6, 0);
    }
    addWidget(m_panel, 1);
    addPermanentWidget(m_date);
    addPermanentWidget(m_time);
    connect(m_timer, &QTimer::timeout, this, &ClockStatusBar::refreshClock);
    m_timer->start(1000);
    refreshClock();
}

void ClockStatusBar::setPanelText(const QString& text) {
    m_panel->setText(text);
    m_panel->setToolTip(text);
}

QString ClockStatusBar::panelText() const {
    return m_panel->text();
}

QString ClockStatusBar::dateText() const {
    return m_date->text();
}

QString ClockStatusBar::timeText() const {
    return m_time->text();
}

void ClockStatusBar::refreshClock() {
    const QDateTime now = QDateTime::currentDateTime();
    m_date->setText(m_locale.toString(now.date(), QLocale::ShortFormat));
    m_time->setText(m_locale.toString(now.time(), QStringLiteral("HH:mm")));
}
