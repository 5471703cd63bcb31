#include "workbook/workbookreader.h"

#include "workbook/csv/csvreader.h"
#include "workbook/ods/odsreader.h"
#include "workbook/workbookmessages.h"
#include "workbook/xls/xlsreader.h"
#include "workbook/xlsx/xlsxreader.h"
#include "workbook/zippackage.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>

namespace {

bool hasSuffix(const QString& path, std::initializer_list<const char*> suffixes) {
    const QString suffix = QFileInfo(path).suffix();
    for (const char* candidate : suffixes) {
        if (suffix.compare(QLatin1StringView(candidate), Qt::CaseInsensitive) == 0)
            return true;
    }
    return false;
}

// An .xlsx package or an OpenDocument one, by the parts it holds.
WorkbookFormat zipFormat(const QString& path) {
    ZipPackage package;
    if (!package.open(path))
        return hasSuffix(path, {"ods"}) ? WorkbookFormat::Ods : WorkbookFormat::Xlsx;
    if (package.contains(QStringLiteral("xl/workbook.xml")))
        return WorkbookFormat::Xlsx;
    if (package.contains(QStringLiteral("content.xml")) ||
        package.contains(QStringLiteral("mimetype")))
        return WorkbookFormat::Ods;
    return WorkbookFormat::Xlsx;
}

} // namespace

bool WorkbookReader::readSheets(const QString& path, const SheetVisitor& visit, int threads) {
    (void)threads;
    for (int index = 0;; ++index) {
        setSheetIndex(index);
        if (!open(path))
            return false;
        const QStringList names = m_sheetNames;
        const bool go = visit(index, names.value(index), *this);
        close();
        m_sheetNames = names;
        if (!go) {
            m_error.clear();
            return false;
        }
        if (index + 1 >= names.size())
            return true;
    }
}

WorkbookFormat detectWorkbookFormat(const QString& path) {
    const QFileInfo info(path);
    if (!info.exists())
        return WorkbookFormat::Missing;
    QFile file(path);
    if (info.isDir() || !file.open(QIODevice::ReadOnly))
        return WorkbookFormat::Unreadable;
    const QByteArray head = file.read(8);
    file.close();
    if (head.startsWith(QByteArrayLiteral("PK\x03\x04")))
        return zipFormat(path);
    if (head == QByteArrayLiteral("\xD0\xCF\x11\xE0\xA1\xB1\x1A\xE1"))
        return WorkbookFormat::Xls;
    if (hasSuffix(path, {"csv", "txt", "tsv"}))
        return WorkbookFormat::Csv;
    return WorkbookFormat::Unknown;
}

std::unique_ptr<WorkbookReader> openWorkbook(const QString& path, const Regional& regional,
                                             QString* error, WorkProgress* progress) {
    return openWorkbookSheet(path, 0, regional, error, progress);
}

namespace {

// The reader that the content of the workbook at path calls for, or nullptr
// with *error set.
std::unique_ptr<WorkbookReader> readerFor(const QString& path, const Regional& regional,
                                          QString* error) {
    const QString name = QFileInfo(path).fileName();
    std::unique_ptr<WorkbookReader> reader;
    switch (detectWorkbookFormat(path)) {
    case WorkbookFormat::Missing:
        *error = missingFileMessage(path);
        return nullptr;
    case WorkbookFormat::Unreadable:
        *error = unreadableFileMessage(path);
        return nullptr;
    case WorkbookFormat::Unknown:
        *error = QCoreApplication::translate(
                     "Workbook", "Il file %1 non è una matrice in un formato riconosciuto: "
                                 "cartella di lavoro Excel (.xls o .xlsx), foglio di calcolo "
                                 "OpenDocument (.ods) o testo delimitato (.csv, .txt, .tsv).")
                     .arg(name);
        return nullptr;
    case WorkbookFormat::Xlsx:
        reader = std::make_unique<XlsxReader>();
        break;
    case WorkbookFormat::Xls:
        reader = std::make_unique<XlsReader>();
        break;
    case WorkbookFormat::Ods:
        reader = std::make_unique<OdsReader>();
        break;
    case WorkbookFormat::Csv:
        reader = std::make_unique<CsvReader>(regional);
        break;
    }
    return reader;
}

} // namespace

std::unique_ptr<WorkbookReader> openWorkbookSheet(const QString& path, int sheetIndex,
                                                  const Regional& regional, QString* error,
                                                  WorkProgress* progress) {
    std::unique_ptr<WorkbookReader> reader = readerFor(path, regional, error);
    if (!reader)
        return nullptr;
    reader->setProgress(progress);
    reader->setSheetIndex(sheetIndex);
    if (!reader->open(path)) {
        *error = reader->errorMessage();
        return nullptr;
    }
    return reader;
}

bool readWorkbookSheets(const QString& path, const Regional& regional, const SheetVisitor& visit,
                        QString* error, WorkProgress* progress, int threads) {
    const std::unique_ptr<WorkbookReader> reader = readerFor(path, regional, error);
    if (!reader)
        return false;
    reader->setProgress(progress);
    const bool read = reader->readSheets(path, visit, threads);
    *error = reader->errorMessage();
    return read;
}
