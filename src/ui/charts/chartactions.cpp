#include "ui/charts/chartactions.h"

#include "ui/charts/chartexport.h"
#include "ui/charts/charttips.h"
#include "ui/platform/clockstatusbar.h"
#include "ui/platform/dialogs.h"
#include "ui/platform/windowsetup.h"

#include <QAction>
#include <QChartView>
#include <QClipboard>
#include <QCoreApplication>
#include <QDir>
#include <QGuiApplication>
#include <QPushButton>

ChartActions::ChartActions(QChartView* view, Dialogs& dialogs)
    : QObject(view), m_view(view), m_dialogs(dialogs),
      m_export(new QAction(QCoreApplication::translate("ChartExport", "Esporta grafico..."), view)),
      m_copy(new QAction(QCoreApplication::translate("ChartExport", "Copia"), view)) {
    setObjectName(QStringLiteral("azioniGrafico"));
    m_export->setObjectName(QStringLiteral("actEsporta"));
    m_copy->setObjectName(QStringLiteral("actCopia"));
    view->addAction(m_export);
    view->addAction(m_copy);
    followChartTips(view);
    view->setContextMenuPolicy(Qt::ActionsContextMenu);
    connect(m_export, &QAction::triggered, this, &ChartActions::exportChart);
    connect(m_copy, &QAction::triggered, this, &ChartActions::copyChart);
}

ChartActions* ChartActions::of(QChartView* view) {
    return view ? view->findChild<ChartActions*>(QString(), Qt::FindDirectChildrenOnly) : nullptr;
}

void ChartActions::setSuggestedPath(std::function<QString()> suggestedPath) {
    m_suggestedPath = std::move(suggestedPath);
}

void ChartActions::setImageDrawing(std::function<void(bool)> drawing) {
    m_imageDrawing = std::move(drawing);
}

QPushButton* ChartActions::button(QAction* action, const QString& name, QWidget* parent) {
    auto* button = new QPushButton(action->text(), parent);
    button->setObjectName(name);
    button->setAutoDefault(false);
    connect(button, &QPushButton::clicked, action, &QAction::trigger);
    return button;
}

ImageSize& ChartActions::lastSize() {
    static ImageSize size;
    return size;
}

void ChartActions::exportChart() {
    const QString path = m_dialogs.saveFile(
        QCoreApplication::translate("ChartExport", "Esporta il grafico"),
        QCoreApplication::translate(
            "ChartExport",
            "Immagine PNG (*.png);;Grafica vettoriale SVG (*.svg);;Documento PDF (*.pdf)"),
        m_suggestedPath ? m_suggestedPath() : QString());
    if (path.isEmpty())
        return;
    ImageSize size = lastSize();
    if (!m_dialogs.askImageSize(size, chartAspect(m_view)))
        return;
    lastSize() = size;
    if (m_imageDrawing)
        m_imageDrawing(true);
    const Status exported = ::exportChart(m_view, path, size);
    if (m_imageDrawing)
        m_imageDrawing(false);
    if (!exported) {
        m_dialogs.message(exported.error().message, childWindowTitle(), Dialogs::Icon::Critical);
        return;
    }
    Q_EMIT done(QCoreApplication::translate("ChartExport", "Grafico salvato in "),
                QDir::toNativeSeparators(path));
}

void ChartActions::copyChart() {
    if (m_imageDrawing)
        m_imageDrawing(true);
    const QImage image = chartImage(m_view, lastSize());
    if (m_imageDrawing)
        m_imageDrawing(false);
    if (image.isNull()) {
        m_dialogs.message(QCoreApplication::translate(
                              "ChartExport",
                              "Il grafico non si è potuto convertire in immagine: gli appunti "
                              "restano come erano."),
                          childWindowTitle(), Dialogs::Icon::Critical);
        return;
    }
    QGuiApplication::clipboard()->setImage(image);
    Q_EMIT done(
        QCoreApplication::translate("ChartExport", "Grafico copiato negli appunti (%1 × %2 pixel)")
            .arg(image.width())
            .arg(image.height()),
        QString());
}

ChartActions* addChartActions(QChartView* view, Dialogs& dialogs, const QString& suggestedPath) {
    auto* actions = new ChartActions(view, dialogs);
    if (!suggestedPath.isEmpty())
        actions->setSuggestedPath([suggestedPath] { return suggestedPath; });
    return actions;
}

void reportChartActions(QWidget* window, ClockStatusBar* status) {
    for (ChartActions* actions : window->findChildren<ChartActions*>())
        QObject::connect(actions, &ChartActions::done, status,
                         [status](const QString& text, const QString& file) {
                             if (file.isEmpty())
                                 status->setPanelText(text);
                             else
                                 status->setPanelText(text, file);
                         });
}
