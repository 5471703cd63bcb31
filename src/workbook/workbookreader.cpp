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

Status WorkbookReader::readSheets(const QString& path, const SheetVisitor& visit, int threads) {
    (void)threads;
    for (int index = 0;; ++index) {
        setSheetIndex(index);
        if (Status opened = open(path); !opened)
            return opened;
        const QStringList names = m_sheetNames;
        const bool go = visit(index, names.value(index), *this);
        close();
        m_sheetNames = names;
        if (!go || index + 1 >= names.size())
            return {};
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

Expected<std::unique_ptr<WorkbookReader>>
openWorkbook(const QString& path, const Regional& regional, WorkProgress* progress) {
    return openWorkbookSheet(path, 0, regional, progress);
}

namespace {

// The reader that the content of the workbook at path calls for.
Expected<std::unique_ptr<WorkbookReader>> readerFor(const QString& path, const Regional& regional) {
    const QString name = QFileInfo(path).fileName();
    std::unique_ptr<WorkbookReader> reader;
    switch (detectWorkbookFormat(path)) {
    case WorkbookFormat::Missing:
        return readFailure(missingFileMessage(path));
    case WorkbookFormat::Unreadable:
        return readFailure(unreadableFileMessage(path));
    case WorkbookFormat::Unknown:
        return readFailure(QCoreApplication::translate(
                               "Workbook",
                               "Il file %1 non è una matrice in un formato riconosciuto: "
                               "cartella di lavoro Excel (.xls o .xlsx), foglio di calcolo "
                               "OpenDocument (.ods) o testo delimitato (.csv, .txt, .tsv).")
                               .arg(name));
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

Expected<std::unique_ptr<WorkbookReader>> openWorkbookSheet(const QString& path, int sheetIndex,
                                                            const Regional& regional,
                                                            WorkProgress* progress) {
    Expected<std::unique_ptr<WorkbookReader>> reader = readerFor(path, regional);
    if (!reader)
        return reader;
    (*reader)->setProgress(progress);
    (*reader)->setSheetIndex(sheetIndex);
    if (Status opened = (*reader)->open(path); !opened)
        return std::move(opened).error();
    return reader;
}

Status readWorkbookSheets(const QString& path, const Regional& regional, const SheetVisitor& visit,
                          WorkProgress* progress, int threads) {
    Expected<std::unique_ptr<WorkbookReader>> reader = readerFor(path, regional);
    if (!reader)
        return std::move(reader).error();
    (*reader)->setProgress(progress);
    return (*reader)->readSheets(path, visit, threads);
}
