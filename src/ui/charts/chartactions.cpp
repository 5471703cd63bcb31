#include "ui/charts/chartactions.h"

#include "record/outputrecorder.h"
#include "shared/regional.h"
#include "ui/charts/chartexport.h"
#include "ui/charts/charttips.h"
#include "ui/platform/clockstatusbar.h"
#include "ui/platform/dialogs.h"
#include "ui/platform/windowsetup.h"

#include <QAction>
#include <QChart>
#include <QChartView>
#include <QClipboard>
#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <QJsonObject>
#include <QPushButton>

#include <optional>

namespace {

// The chart's short name, as its file name has it ("dispersione").
QString chartKindName(ChartFile chart) {
    const QString name = chartFileName(QString(), chart); // ".dispersione.png"
    return name.mid(1, name.size() - 5);
}

} // namespace

ChartActions::ChartActions(QChartView* view, Dialogs& dialogs)
    : ChartActions(static_cast<QWidget*>(view), chartPicture(view), dialogs) {
    followChartTips(view);
}

ChartActions::ChartActions(QWidget* view, ChartPicture picture, Dialogs& dialogs)
    : QObject(view), m_view(view), m_picture(std::move(picture)), m_dialogs(dialogs),
      m_export(new QAction(QCoreApplication::translate("ChartExport", "Esporta grafico..."), view)),
      m_copy(new QAction(QCoreApplication::translate("ChartExport", "Copia"), view)) {
    setObjectName(QStringLiteral("azioniGrafico"));
    m_export->setObjectName(QStringLiteral("actEsporta"));
    m_copy->setObjectName(QStringLiteral("actCopia"));
    view->addAction(m_export);
    view->addAction(m_copy);
    view->setContextMenuPolicy(Qt::ActionsContextMenu);
    connect(m_export, &QAction::triggered, this, &ChartActions::exportChart);
    connect(m_copy, &QAction::triggered, this, &ChartActions::copyChart);
}

ChartActions* ChartActions::of(QWidget* view) {
    return view ? view->findChild<ChartActions*>(QString(), Qt::FindDirectChildrenOnly) : nullptr;
}

void ChartActions::setSuggestedPath(std::function<QString()> suggestedPath) {
    m_suggestedPath = std::move(suggestedPath);
}

void ChartActions::setRecordOrigin(std::function<QString()> workbook,
                                   std::function<ChartFile()> chart) {
    m_workbook = std::move(workbook);
    m_chart = std::move(chart);
}

void ChartActions::setRecordInputs(std::function<QStringList()> inputs) {
    m_inputs = std::move(inputs);
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
    if (!m_dialogs.askImageSize(size, m_picture.aspect()))
        return;
    lastSize() = size;
    // The file goes into the record with its origin (only a file beside
    // the workbook, under its name, is recorded).
    std::optional<RecordScope> record;
    if (const QString workbook = m_workbook ? m_workbook() : QString(); !workbook.isEmpty()) {
        const ChartFile chart = m_chart();
        const RecordActor actor = recordActor();
        setRecordActor({QCoreApplication::translate("ChartExport", "%1: Esporta grafico")
                            .arg(m_view->window()->windowTitle()),
                        {}});
        const QString title = m_picture.title();
        record.emplace(workbook, Regional(QLocale()),
                       QJsonObject{{QStringLiteral("chart"), chartKindName(chart)},
                                   {QStringLiteral("title"), title}});
        setRecordActor(actor);
        record->recorder().addInput(workbook, InputRole::Matrix);
        QStringList inputs = chartSourceFiles(workbook, chart);
        if (m_inputs)
            inputs += m_inputs();
        for (const QString& file : inputs)
            if (QFileInfo(file).isFile())
                record->recorder().addInput(file, InputRole::File);
    }
    if (m_imageDrawing)
        m_imageDrawing(true);
    const Status exported =
        m_picture.write ? m_picture.write(path, size) : exportPicture(m_picture, path, size);
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
    const QImage image = pictureImage(m_picture, lastSize());
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

QStringList chartSourceFiles(const QString& workbook, ChartFile chart) {
    switch (chart) {
    case ChartFile::Histogram:
    case ChartFile::Correlations:
    case ChartFile::Eigenvalues:
        break;
    case ChartFile::Bump:
    case ChartFile::Scatter:
        return {resultFileName(workbook, ResultFileKind::ComparisonRanks)};
    case ChartFile::RankIntervals:
        return {resultFileName(workbook, ResultFileKind::Uncertainty)};
    case ChartFile::MonteCarlo:
        return {resultFileName(workbook, ResultFileKind::MonteCarlo)};
    case ChartFile::Sobol:
        return {resultFileName(workbook, ResultFileKind::Sobol),
                resultFileName(workbook, ResultFileKind::SobolUnits)};
    case ChartFile::AmpiPlus:
        return {resultFileName(workbook, ResultFileKind::AmpiValues, QStringLiteral("+"))};
    case ChartFile::AmpiMinus:
        return {resultFileName(workbook, ResultFileKind::AmpiValues, QStringLiteral("-"))};
    case ChartFile::Map:
        break;
    }
    return {};
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
