#pragma once

#include <QLocale>
#include <QStatusBar>

class QLabel;
class QTimer;

// The status bar of the windows: a text panel (panel 1) that takes the free
// width, then a date panel and a time panel kept current by a timer. The
// keyboard-state panels of other desktops are left out: Qt cannot read the
// state of Caps Lock, Num Lock or Insert portably.
class ClockStatusBar : public QStatusBar {
    Q_OBJECT

public:
    explicit ClockStatusBar(const QLocale& locale, QWidget* parent = nullptr);

    void setPanelText(const QString& text);
    QString panelText() const;
    QString dateText() const;
    QString timeText() const;

private:
    void refreshClock();

    QLocale m_locale;
    QLabel* m_panel;
    QLabel* m_date;
    QLabel* m_time;
    QTimer* m_timer;
};
