#include "ui/platform/clockstatusbar.h"

#include "ui/platform/pathelision.h"

#include <QDateTime>
#include <QEvent>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QTimer>

ClockStatusBar::ClockStatusBar(const QLocale& locale, QWidget* parent)
    : QStatusBar(parent), m_locale(locale), m_panel(new QLabel(this)),
      m_progress(new QProgressBar(this)), m_cancel(new QPushButton(tr("Annulla"), this)),
      m_date(new QLabel(this)), m_time(new QLabel(this)), m_timer(new QTimer(this)) {
    setObjectName(QStringLiteral("stbStato"));
    setSizeGripEnabled(true);
    m_panel->setObjectName(QStringLiteral("stbPanel1"));
    m_progress->setObjectName(QStringLiteral("stbAvanzamento"));
    m_cancel->setObjectName(QStringLiteral("stbAnnulla"));
    m_date->setObjectName(QStringLiteral("stbData"));
    m_time->setObjectName(QStringLiteral("stbOra"));
    m_panel->setTextFormat(Qt::PlainText);
    // The panel takes the width it is given and fits its text to it.
    m_panel->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
    m_panel->setMinimumWidth(50);
    m_panel->setContentsMargins(4, 0, 4, 0);
    m_panel->installEventFilter(this);
    m_progress->setTextVisible(false);
    m_progress->setRange(0, 100);
    m_progress->setFixedWidth(160);
    m_progress->setMaximumHeight(m_panel->sizeHint().height());
    m_cancel->setAutoDefault(false);
    m_cancel->setFocusPolicy(Qt::NoFocus);
    m_cancel->setToolTip(tr("Interrompe il lavoro in corso (Esc)"));
    for (QLabel* clock : {m_date, m_time}) {
        clock->setAlignment(Qt::AlignCenter);
        clock->setContentsMargins(6, 0, 6, 0);
    }
    addWidget(m_panel, 1);
    addPermanentWidget(m_progress);
    addPermanentWidget(m_cancel);
    addPermanentWidget(m_date);
    addPermanentWidget(m_time);
    m_progress->hide();
    m_cancel->hide();
    connect(m_cancel, &QPushButton::clicked, this, &ClockStatusBar::cancelRequested);
    connect(m_timer, &QTimer::timeout, this, &ClockStatusBar::refreshClock);
    m_timer->start(1000);
    refreshClock();
}

void ClockStatusBar::setPanelText(const QString& text) {
    setPanelText(text, QString());
}

void ClockStatusBar::setPanelText(const QString& text, const QString& path) {
    m_text = text;
    m_path = path;
    refreshPanel();
}

QString ClockStatusBar::panelText() const {
    return m_text + m_path;
}

QString ClockStatusBar::shownPanelText() const {
    return m_panel->text();
}

QString ClockStatusBar::dateText() const {
    return m_date->text();
}

QString ClockStatusBar::timeText() const {
    return m_time->text();
}

void ClockStatusBar::showWork(const QString& text, int percent, bool cancellable) {
    m_work = text;
    if (percent >= 0) {
        m_progress->setRange(0, 100);
        m_progress->setValue(percent);
    } else {
        m_progress->setRange(0, 0);
    }
    m_progress->show();
    m_cancel->setVisible(cancellable);
    refreshPanel();
}

void ClockStatusBar::endWork() {
    m_work.clear();
    m_progress->hide();
    m_cancel->hide();
    refreshPanel();
}

bool ClockStatusBar::showsWork() const {
    return !m_work.isEmpty();
}

// The path is fitted again whenever the panel changes width.
bool ClockStatusBar::eventFilter(QObject* watched, QEvent* event) {
    if (watched == m_panel && event->type() == QEvent::Resize)
        refreshPanel();
    return QStatusBar::eventFilter(watched, event);
}

void ClockStatusBar::refreshPanel() {
    if (!m_work.isEmpty()) {
        m_panel->setText(m_work);
        m_panel->setToolTip(m_work);
        return;
    }
    const QMargins margins = m_panel->contentsMargins();
    const int room = m_panel->width() - margins.left() - margins.right() -
                     m_panel->fontMetrics().horizontalAdvance(m_text);
    m_panel->setText(m_path.isEmpty() ? m_text
                                      : m_text + elidePath(m_path, m_panel->fontMetrics(), room));
    m_panel->setToolTip(panelText());
}

void ClockStatusBar::refreshClock() {
    const QDateTime now = QDateTime::currentDateTime();
    m_date->setText(m_locale.toString(now.date(), QLocale::ShortFormat));
    m_time->setText(m_locale.toString(now.time(), QStringLiteral("HH:mm")));
}
