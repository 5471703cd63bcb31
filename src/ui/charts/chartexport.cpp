#include "ui/charts/chartexport.h"

#include "shared/safefile.h"
#include "ui/platform/dialogs.h"
#include "ui/platform/windowsetup.h"

#include <QBuffer>
#include <QChartView>
#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QMenu>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QPixmap>
#include <QSvgGenerator>

namespace {

QByteArray vectorImage(QChartView* view, bool pdf) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    const QRectF source = view->sceneRect();
    if (pdf) {
        QPdfWriter writer(&buffer);
        writer.setResolution(72);
        writer.setPageSize(QPageSize(source.size(), QPageSize::Point));
        writer.setPageMargins(QMarginsF());
        writer.setTitle(view->chart()->title());
        writer.setCreator(QStringLiteral("Orvalta"));
        QPainter painter(&writer);
        view->scene()->render(&painter, QRectF(QPointF(), source.size()), source);
    } else {
        QSvgGenerator generator;
        generator.setOutputDevice(&buffer);
        generator.setSize(source.size().toSize());
        generator.setViewBox(QRectF(QPointF(), source.size()));
        generator.setTitle(view->chart()->title());
        QPainter painter(&generator);
        view->scene()->render(&painter, QRectF(QPointF(), source.size()), source);
    }
    return bytes;
}

QByteArray pngImage(QChartView* view) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    view->grab().save(&buffer, "PNG");
    return bytes;
}

} // namespace

QString exportChart(QChartView* view, const QString& path) {
    const QString suffix = QFileInfo(path).suffix().toLower();
    const QByteArray bytes = suffix == QLatin1String("svg")   ? vectorImage(view, false)
                             : suffix == QLatin1String("pdf") ? vectorImage(view, true)
                                                              : pngImage(view);
    // An image that could not be made leaves no empty file behind.
    if (bytes.isEmpty())
        return QCoreApplication::translate("ChartExport",
                                           "Il grafico non si è potuto convertire in immagine: %1 "
                                           "non è stato scritto.")
            .arg(QDir::toNativeSeparators(path));
    SafeFile file(path);
    QString error = file.open();
    if (error.isEmpty())
        error = file.write(bytes);
    if (error.isEmpty())
        error = file.commit();
    return error;
}

void askAndExport(QChartView* view, Dialogs& dialogs, const QString& suggestedPath) {
    const QString path = dialogs.saveFile(
        QCoreApplication::translate("ChartExport", "Esporta il grafico"),
        QCoreApplication::translate(
            "ChartExport",
            "Immagine PNG (*.png);;Grafica vettoriale SVG (*.svg);;Documento PDF (*.pdf)"),
        suggestedPath);
    if (path.isEmpty())
        return;
    const QString error = exportChart(view, path);
    if (!error.isEmpty())
        dialogs.message(error, childWindowTitle(), Dialogs::Icon::Critical);
}

void addExportMenu(QChartView* view, Dialogs& dialogs, const QString& suggestedPath) {
    view->setContextMenuPolicy(Qt::CustomContextMenu);
    QObject::connect(view, &QWidget::customContextMenuRequested, view,
                     [view, &dialogs, suggestedPath](const QPoint& at) {
                         QMenu menu(view);
                         QAction* esporta = menu.addAction(
                             QCoreApplication::translate("ChartExport", "Esporta immagine..."));
                         if (menu.exec(view->mapToGlobal(at)) == esporta)
                             askAndExport(view, dialogs, suggestedPath);
                     });
}
