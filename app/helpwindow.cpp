#include "helpwindow.h"

#include "ui/platform/windowsetup.h"

#include <QFile>
#include <QTextBrowser>
#include <QVBoxLayout>

HelpWindow::HelpWindow(QWidget* parent) : QDialog(parent), m_browser(new QTextBrowser(this)) {
    setupChildWindow(*this, QStringLiteral("Guida"));
    setWindowTitle(tr("Orvalta - Guida"));
    setModal(false);
    m_browser->setObjectName(QStringLiteral("txtGuida"));
    m_browser->setOpenExternalLinks(true);
    m_browser->setMarkdown(guideText());
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_browser);
    fitToScreen(*this, {820, 900});
}

QString HelpWindow::guideText() {
    QFile guide(QStringLiteral(":/guida/guida.md"));
    if (!guide.open(QIODevice::ReadOnly))
        return QString();
    return QString::fromUtf8(guide.readAll());
}
