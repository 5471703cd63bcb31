#include "ui/platform/windowsetup.h"

#include "methods/metodi.h"
#include "ui/platform/windowmemory.h"

#include <QButtonGroup>
#include <QCoreApplication>
#include <QDialog>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeySequence>
#include <QRadioButton>
#include <QScreen>
#include <QShortcut>
#include <QVBoxLayout>

#include <algorithm>

QString childWindowTitle() {
    return QStringLiteral("Orvalta");
}

QString methodCaption(const QString& entryText) {
    return QCoreApplication::translate("Methods", entryText.toUtf8().constData());
}

QString methodLabel(const QString& text) {
    for (const MethodInfo& method : methodTable()) {
        const QString code = method.code;
        if (text != code && text != method.indexHeader)
            continue;
        return code == method.indexHeader ? code
                                          : code + QStringLiteral(" - ") + method.indexHeader;
    }
    return text;
}

QString methodCodeLabel(const QString& text) {
    for (const MethodInfo& method : methodTable())
        if (text == method.indexHeader || text == method.code)
            return method.code;
    return text;
}

namespace {

std::function<void()>& userGuideOpener() {
    static std::function<void()> open;
    return open;
}

} // namespace

void setUserGuideOpener(std::function<void()> open) {
    userGuideOpener() = std::move(open);
}

void setupChildWindow(QDialog& window, const QString& objectName) {
    auto* help = new QShortcut(QKeySequence::HelpContents, &window);
    QObject::connect(help, &QShortcut::activated, &window, [] {
        if (userGuideOpener())
            userGuideOpener()();
    });
    window.setObjectName(objectName);
    window.setWindowTitle(childWindowTitle());
    window.setWindowFlags(Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                          Qt::WindowMinMaxButtonsHint | Qt::WindowCloseButtonHint);
    window.setSizeGripEnabled(false);
}

void fitToScreen(QWidget& window, QSize preferred) {
    const QRect screen =
        window.screen() ? window.screen()->availableGeometry() : QRect(0, 0, 1400, 900);
    window.resize(std::min(preferred.width(), screen.width() * 9 / 10),
                  std::min(preferred.height(), screen.height() * 9 / 10));
    rememberGeometry(window);
}

void keepSpaceWhenHidden(QWidget* widget) {
    QSizePolicy policy = widget->sizePolicy();
    policy.setRetainSizeWhenHidden(true);
    widget->setSizePolicy(policy);
}

QGroupBox* gridFrame(const QString& name, const QString& title, QWidget* grid, QWidget* parent) {
    auto* frame = new QGroupBox(title, parent);
    frame->setObjectName(name);
    auto* layout = new QVBoxLayout(frame);
    layout->setContentsMargins(6, 6, 6, 6);
    layout->addWidget(grid);
    return frame;
}

QGroupBox* optionFrame(const QString& name, const QString& title, const QString& optionName,
                       const QList<std::pair<int, QString>>& options, QButtonGroup* group,
                       QWidget* parent) {
    auto* frame = new QGroupBox(title, parent);
    frame->setObjectName(name);
    auto* layout = new QHBoxLayout(frame);
    layout->setContentsMargins(8, 4, 8, 4);
    for (const auto& [id, caption] : options) {
        auto* option = new QRadioButton(caption, frame);
        option->setObjectName(optionName + QString::number(id));
        group->addButton(option, id);
        layout->addWidget(option);
    }
    if (!options.isEmpty())
        group->button(options.front().first)->setChecked(true);
    return frame;
}
