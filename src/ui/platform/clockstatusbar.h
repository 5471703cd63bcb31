#pragma once

#include <QLocale>
#include <QStatusBar>

class QLabel;
class QProgressBar;
class QPushButton;
class QTimer;

// The status bar of the windows: a text panel (panel 1) that takes the free
// width, then a date panel and a time panel kept current by a timer. The
// keyboard-state panels of other desktops are left out: Qt cannot read the
// state of Caps Lock, Num Lock or Insert portably. While work runs, panel 1
// says what happens, with a progress bar and, for work that can stop, an
// "Annulla" button.
class ClockStatusBar : public QStatusBar {
    Q_OBJECT

public:
    explicit ClockStatusBar(const QLocale& locale, QWidget* parent = nullptr);

    void setPanelText(const QString& text);
    // Panel 1 shows text followed by path; when the panel is too narrow the
    // path loses its first folders ("…/Statistiche/regioni.xlsx"). The tool
    // tip holds the whole text.
    void setPanelText(const QString& text, const QString& path);
    // The whole text of panel 1, and the text as shown.
    QString panelText() const;
    QString shownPanelText() const;
    QString dateText() const;
    QString timeText() const;

    // Shows work under way in panel 1: its text, a bar with percent done
    // (moving to and fro when percent is -1) and, when cancellable, the
    // "Annulla" button. endWork() gives panel 1 its own text back.
    void showWork(const QString& text, int percent, bool cancellable);
    void endWork();
    bool showsWork() const;

Q_SIGNALS:
    // "Annulla" was pressed.
    void cancelRequested();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void refreshPanel();
    void refreshClock();

    QLocale m_locale;
    QString m_text;
    QString m_path;
    QString m_work; // the text of the work under way, empty when none
    QLabel* m_panel;
    QProgressBar* m_progress;
    QPushButton* m_cancel;
    QLabel* m_date;
    QLabel* m_time;
    QTimer* m_timer;
};
