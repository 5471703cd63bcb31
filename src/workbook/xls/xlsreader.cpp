#include "workbook/xls/xlsreader.h"

#include "workbook/sheetpass.h"
#include "workbook/workbookmessages.h"
#include "workbook/xls/biffrecordreader.h"
#include "workbook/xls/biffsst.h"
#include "workbook/xls/biffworkbook.h"
#include "workbook/xls/biffworksheet.h"
#include "workbook/xls/ole2stream.h"

#include <QCoreApplication>
#include <QFileInfo>

namespace {

QString streamMessage(const Ole2Stream& stream, const QString& name) {
    switch (stream.status) {
    case Ole2Stream::Status::Ok:
        break;
    case Ole2Stream::Status::NotOle2:
        return QCoreApplication::translate(
                   "Workbook",
                   "Il file %1 non è una cartella di lavoro .xls valida: il contenitore "
                   "del file è danneggiato o incompleto.")
            .arg(name);
    case Ole2Stream::Status::NoWorkbook:
        return QCoreApplication::translate(
                   "Workbook", "Il file %1 non è una cartella di lavoro .xls valida: non contiene "
                               "il flusso Workbook con i fogli di lavoro.")
            .arg(name);
    case Ole2Stream::Status::TooLarge:
        return QCoreApplication::translate(
                   "Workbook", "Il file %1 non può essere letto: il flusso Workbook dichiara una "
                               "dimensione superiore al file stesso o al limite di %2 MiB.")
            .arg(name)
            .arg(Ole2Stream::kMaxSize / (1024 * 1024));
    case Ole2Stream::Status::ReadFailed:
        return QCoreApplication::translate(
                   "Workbook", "Il file %1 è danneggiato: il flusso Workbook non può essere letto "
                               "per intero.")
            .arg(name);
    }
    return QString();
}

QString sheetKindText(BiffFailure::SheetKind kind) {
    switch (kind) {
    case BiffFailure::SheetKind::Chart:
        return QCoreApplication::translate("Workbook", "è un foglio grafico");
    case BiffFailure::SheetKind::MacroSheet:
        return QCoreApplication::translate("Workbook", "è un foglio macro");
    case BiffFailure::SheetKind::Module:
        return QCoreApplication::translate("Workbook", "è un modulo Visual Basic");
    case BiffFailure::SheetKind::Worksheet:
    case BiffFailure::SheetKind::Other:
        break;
    }
    return QCoreApplication::translate("Workbook", "è un foglio di tipo non previsto");
}

// The message of a stream that is no BIFF8 workbook, or one it cannot
// open; empty for any other failure.
QString formatMessage(BiffFailure::Kind kind, const QString& name) {
    switch (kind) {
    case BiffFailure::Kind::NotBiff:
        return QCoreApplication::translate(
                   "Workbook", "Il file %1 non è una cartella di lavoro .xls valida: il flusso "
                               "Workbook non inizia con un record BOF di Excel.")
            .arg(name);
    case BiffFailure::Kind::OldFormat:
        return QCoreApplication::translate(
                   "Workbook",
                   "La cartella di lavoro %1 è in formato Excel 5.0/95 o precedente non "
                   "supportato: salvarla come .xls 97-2003 o .xlsx.")
            .arg(name);
    case BiffFailure::Kind::Encrypted:
        return QCoreApplication::translate(
                   "Workbook", "La cartella di lavoro %1 è protetta da password: rimuovere la "
                               "password e salvarla di nuovo.")
            .arg(name);
    default:
        return QString();
    }
}

// What is damaged in the stream; empty for any other failure.
QString damageCause(const BiffFailure& f, int sheetIndex, const QString& sheetName) {
    switch (f.kind) {
    case BiffFailure::Kind::EndsEarly:
        return QCoreApplication::translate("Workbook",
                                           "il flusso Workbook termina prima della fine dei dati");
    case BiffFailure::Kind::RecordTooLong:
        return QCoreApplication::translate("Workbook",
                                           "un record supera la lunghezza massima di %1 byte")
            .arg(BiffRecordReader::kMaxBodyLength);
    case BiffFailure::Kind::RecordBeyondStream:
        return QCoreApplication::translate("Workbook",
                                           "un record supera la fine del flusso Workbook");
    case BiffFailure::Kind::ShortRecord:
        return QCoreApplication::translate("Workbook",
                                           "un record è più corto dei dati che deve contenere");
    case BiffFailure::Kind::SstTruncated:
        return QCoreApplication::translate("Workbook",
                                           "la tabella delle stringhe condivise è troncata");
    case BiffFailure::Kind::StringIndex:
        return QCoreApplication::translate(
            "Workbook", "una cella rimanda a una stringa condivisa che non esiste");
    case BiffFailure::Kind::BadSheetOffset:
        return QCoreApplication::translate("Workbook", "la posizione %1 non è valida")
            .arg(ofSheetPhrase(sheetIndex, sheetName));
    case BiffFailure::Kind::CellOutOfRange:
        return QCoreApplication::translate("Workbook",
                                           "la cella di riga %1, colonna %2 è oltre i limiti di un "
                                           "foglio .xls (%3 righe per %4 colonne)")
            .arg(f.row)
            .arg(f.col)
            .arg(kBiffMaxRows)
            .arg(kBiffMaxColumns);
    default:
        return QString();
    }
}

// The reader's limit that the workbook crosses; empty for any other failure.
QString limitCause(BiffFailure::Kind kind, const ReaderLimits& limits) {
    switch (kind) {
    case BiffFailure::Kind::SstTooLarge:
        return tooManySharedStringsCause(limits.maxSharedStrings);
    case BiffFailure::Kind::TextTooLong:
        return textTooLongCause(limits.maxTextLength);
    case BiffFailure::Kind::TooMuchText:
        return tooMuchTextCause(limits.maxTextCharacters);
    case BiffFailure::Kind::TooManyCells:
        return tooManyCellsCause(limits.maxCells);
    case BiffFailure::Kind::TooManySheets:
        return tooManySheetsCause(limits.maxSheets);
    default:
        return QString();
    }
}

// The message of a sheet that is missing or no worksheet.
QString sheetMessage(const BiffFailure& f, const QString& name, const BiffWorkbook& book,
                     int sheetIndex, const QString& sheetName) {
    switch (f.kind) {
    case BiffFailure::Kind::NoSheet:
        return noSheetsMessage(name);
    case BiffFailure::Kind::NoSuchSheet:
        return missingSheetMessage(name, sheetIndex, std::ssize(book.sheets));
    case BiffFailure::Kind::NotWorksheet:
        if (sheetIndex > 0)
            return QCoreApplication::translate(
                       "Workbook", "Il foglio \"%1\" di %2 non è un foglio di lavoro (%3).")
                .arg(sheetName, name, sheetKindText(f.sheetKind));
        return QCoreApplication::translate(
                   "Workbook", "Il primo foglio di %1 non è un foglio di lavoro (%2): spostare "
                               "al primo posto il foglio con la matrice.")
            .arg(name, sheetKindText(f.sheetKind));
    default:
        return QString();
    }
}

// The reader's failure for what stopped the BIFF reader.
Failure biffFailure(const BiffFailure& f, const QString& name, const ReaderLimits& limits,
                    const BiffWorkbook& book, int sheetIndex) {
    const QString sheetName = sheetIndex >= 0 && sheetIndex < std::ssize(book.sheets)
                                  ? book.sheets[std::size_t(sheetIndex)].name
                                  : QString();
    if (const QString message = formatMessage(f.kind, name); !message.isEmpty())
        return readFailure(message);
    if (const QString cause = damageCause(f, sheetIndex, sheetName); !cause.isEmpty())
        return readFailure(
            QCoreApplication::translate("Workbook", "La cartella di lavoro %1 è danneggiata: ")
                .arg(name) +
            cause +
            QCoreApplication::translate("Workbook", " (posizione %1 del flusso Workbook).")
                .arg(f.offset));
    if (const QString cause = limitCause(f.kind, limits); !cause.isEmpty())
        return readFailure(
            QCoreApplication::translate("Workbook", "Il file %1 non può essere letto: ").arg(name) +
            cause + u'.');
    return readFailure(sheetMessage(f, name, book, sheetIndex, sheetName));
}

Failure streamFailure(const Ole2Stream& stream, const QString& name) {
    return readFailure(streamMessage(stream, name));
}

} // namespace

Status XlsReader::read(const QString& path) {
    const QString name = QFileInfo(path).fileName();

    // Progress is told in stages: the container, the globals, the sheet.
    const auto stage = [this, &name](int percent) -> Status {
        if (!m_progress)
            return {};
        m_progress->setPercent(percent);
        if (!m_progress->cancelled())
            return {};
        return readFailure(
            QCoreApplication::translate("Workbook", "La lettura di %1 è stata annullata.")
                .arg(name));
    };
    const Ole2Stream stream = readOle2WorkbookStream(path);
    if (stream.status != Ole2Stream::Status::Ok)
        return streamFailure(stream, name);
    if (Status staged = stage(30); !staged)
        return staged;

    BiffWorkbook book;
    BiffFailure failure = readBiffWorkbook(stream.data, &book, m_limits);
    if (!failure.failed())
        failure = checkBiffSheet(book, m_sheetIndex);
    if (!failure.failed())
        if (Status staged = stage(40); !staged)
            return staged;
    if (!failure.failed())
        failure = readBiffWorksheet(stream.data, book, m_sheetIndex, &m_sheet, m_limits);
    if (failure.failed())
        return biffFailure(failure, name, m_limits, book, m_sheetIndex);
    for (const BiffSheet& sheet : book.sheets)
        m_sheetNames.append(sheet.name);
    return stage(100);
}

Status XlsReader::readSheets(const QString& path, const SheetVisitor& visit, int threads) {
    close();
    m_sheetNames.clear();
    const QString name = QFileInfo(path).fileName();
    const Ole2Stream stream = readOle2WorkbookStream(path);
    if (stream.status != Ole2Stream::Status::Ok)
        return streamFailure(stream, name);
    BiffWorkbook book;
    if (const BiffFailure failure = readBiffWorkbook(stream.data, &book, m_limits);
        failure.failed())
        return biffFailure(failure, name, m_limits, book, 0);
    for (const BiffSheet& sheet : book.sheets)
        m_sheetNames.append(sheet.name);

    // The sheets are read side by side from the one stream.
    const auto read = [&](int, int index, SheetData& sheet) -> Status {
        const BiffFailure failure = readBiffWorksheet(stream.data, book, index, &sheet, m_limits);
        if (failure.failed())
            return biffFailure(failure, name, m_limits, book, index);
        return {};
    };
    return passOver(static_cast<int>(book.sheets.size()), threads, read, visit);
}
