#pragma once

#include <QDialog>

class QTextBrowser;

// The user guide in the interface language (the Italian guide, or the
// README's part for users in English), built into the program, in a window
// of its own that stays open beside the others. Its links to the methods
// reference open in the same window.
class HelpWindow : public QDialog {
    Q_OBJECT

public:
    explicit HelpWindow(QWidget* parent = nullptr);

    // The resource of the guide in the interface language.
    static QString guideSource();
    // The guide's text (Markdown), empty when the program was built without
    // it.
    static QString guideText();

    QTextBrowser* browser() const { return m_browser; }

private:
    QTextBrowser* m_browser;
};
