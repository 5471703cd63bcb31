#pragma once

#include <QList>
#include <QMenuBar>

#include <map>

class QAction;
class QPushButton;

// The main window's menu bar. File: "Apri matrice..." (Ctrl+O), which
// presses the selection button; the workbooks last opened, most recent
// first, a file no longer there shown disabled; "Esci". Analisi: one entry
// per window the main window opens, which presses its button. Aiuto: the
// user guide and "Informazioni su Orvalta". Every entry that stands for a
// button is enabled exactly when the button is.
class MainMenuBar : public QMenuBar {
    Q_OBJECT

public:
    MainMenuBar(QPushButton* select, const QList<QPushButton*>& windows, QWidget* parent);

    // The letters the menus' titles underline (lower case).
    QString mnemonics() const;

    QMenu* fileMenu() const { return m_file; }
    QMenu* recentMenu() const { return m_recent; }
    QMenu* analysisMenu() const { return m_analysis; }
    QMenu* helpMenu() const { return m_help; }

    // Fills the recent workbooks' menu from the settings; done each time the
    // File menu opens.
    void refreshRecent();

Q_SIGNALS:
    void recentChosen(const QString& path);
    void guideRequested();
    void aboutRequested();
    void quitRequested();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // An entry of menu that presses button and follows its enabled state.
    QAction* mirror(QMenu* menu, QPushButton* button, const QString& text = QString());

    QMenu* m_file;
    QMenu* m_analysis;
    QMenu* m_help;
    QMenu* m_recent = nullptr;
    QPushButton* m_select;
    std::map<QObject*, QAction*> m_mirrors;
};
