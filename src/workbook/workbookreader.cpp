#include "workbook/workbookreader.h"

#include "workbook/xls/xlsreader.h"
#include "workbook/xlsx/xlsxreader.h"

#include <QFile>
#include <QFileInfo>

WorkbookFormat detectWorkbookFormat(const QString& path) {
    const QFileInfo info(path);
    if (!info.exists())
        return WorkbookFormat::Missing;
    QFile file(path);
    if (info.isDir() || !file.open(QIODevice::ReadOnly))
        return WorkbookFormat::Unreadable;
    const QByteArray head = file.read(8);
    if (head.startsWith(QByteArrayLiteral("PK\x03\x04")))
        return WorkbookFormat::Xlsx;
    if (head == QByteArrayLiteral("\xD0\xCF\x11\xE0\xA1\xB1\x1A\xE1"))
        return WorkbookFormat::Xls;
    return WorkbookFormat::Unknown;
}

std::unique_ptr<WorkbookReader> openWorkbook(const QString& path, QString* error,
                                             WorkProgress* progress) {
    const QString name = QFileInfo(path).fileName();
    std::unique_ptr<WorkbookReader> reader;
    switch (detectWorkbookFormat(path)) {
    case WorkbookFormat::Missing:
        *error = QStringLiteral("Il file %1 non esiste.").arg(path);
        return nullptr;
    case WorkbookFormat::Unreadable:
        *error =
            QStringLiteral("Il file %1 non può essere letto: verificare i permessi.").arg(path);
        return nullptr;
    case WorkbookFormat::Unknown:
        *error = QStringLiteral("Il file %1 non è una cartella di lavoro Excel (.xls o .xlsx).")
                     .arg(name);
        return nullptr;
    case WorkbookFormat::Xlsx:
        reader = std::make_unique<XlsxReader>();
        break;
    case WorkbookFormat::Xls:
        reader = std::make_unique<XlsReader>();
        break;
    }
    reader->setProgress(progress);
    if (!reader->open(path)) {
        *error = reader->errorMessage();
        return nullptr;
    }
    return reader;
}
