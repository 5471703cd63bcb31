#include "helpwindow.h"

#include "ui/platform/windowsetup.h"

#include <QFile>
#include <QTextBrowser>
#include <QUrl>
#include <QVBoxLayout>

HelpWindow::HelpWindow(QWidget* parent) : QDialog(parent), m_browser(new QTextBrowser(this)) {
    setupChildWindow(*this, QStringLiteral("Guida"));
    setWindowTitle(tr("Orvalta - Guida"));
    setModal(false);
    m_browser->setObjectName(QStringLiteral("txtGuida"));
    m_browser->setOpenExternalLinks(true);
    m_browser->setSource(QUrl(QStringLiteral("qrc") + guideSource()),
                         QTextDocument::MarkdownResource);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_browser);
    fitToScreen(*this, {820, 900});
}

QString HelpWindow::guideSource() {
    // The catalogue names the guide of its language.
    return QStringLiteral(":/guida/") +
           tr("guida.md", "the file of the user guide in the interface language");
}

QString HelpWindow::guideText() {
    QFile guide(guideSource());
    if (!guide.open(QIODevice::ReadOnly))
        return QString();
    return QString::fromUtf8(guide.readAll());
}
