#pragma once

#include <QDialog>

class QTextBrowser;

// The user guide: the part of the README for users, built into the program,
// in a window of its own that stays open beside the others.
class HelpWindow : public QDialog {
    Q_OBJECT

public:
    explicit HelpWindow(QWidget* parent = nullptr);

    // The guide's text (Markdown), empty when the program was built without
    // it.
    static QString guideText();

    QTextBrowser* browser() const { return m_browser; }

private:
    QTextBrowser* m_browser;
};
