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

QString biffMessage(const BiffFailure& f, const QString& name, const ReaderLimits& limits,
                    const BiffWorkbook& book, int sheetIndex) {
    const QString sheetName = sheetIndex >= 0 && sheetIndex < std::ssize(book.sheets)
                                  ? book.sheets[std::size_t(sheetIndex)].name
                                  : QString();
    const QString damaged =
        QCoreApplication::translate("Workbook", "La cartella di lavoro %1 è danneggiata: ")
            .arg(name);
    const QString overLimit =
        QCoreApplication::translate("Workbook", "Il file %1 non può essere letto: ").arg(name);
    const QString at =
        QCoreApplication::translate("Workbook", " (posizione %1 del flusso Workbook).")
            .arg(f.offset);
    switch (f.kind) {
    case BiffFailure::Kind::None:
        break;
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
    case BiffFailure::Kind::EndsEarly:
        return damaged +
               QCoreApplication::translate("Workbook",
                                           "il flusso Workbook termina prima della fine dei dati") +
               at;
    case BiffFailure::Kind::RecordTooLong:
        return damaged +
               QCoreApplication::translate("Workbook",
                                           "un record supera la lunghezza massima di %1 byte")
                   .arg(BiffRecordReader::kMaxBodyLength) +
               at;
    case BiffFailure::Kind::RecordBeyondStream:
        return damaged +
               QCoreApplication::translate("Workbook",
                                           "un record supera la fine del flusso Workbook") +
               at;
    case BiffFailure::Kind::ShortRecord:
        return damaged +
               QCoreApplication::translate("Workbook",
                                           "un record è più corto dei dati che deve contenere") +
               at;
    case BiffFailure::Kind::SstTruncated:
        return damaged +
               QCoreApplication::translate("Workbook",
                                           "la tabella delle stringhe condivise è troncata") +
               at;
    case BiffFailure::Kind::SstTooLarge:
        return overLimit + tooManySharedStringsCause(limits.maxSharedStrings) + u'.';
    case BiffFailure::Kind::TextTooLong:
        return overLimit + textTooLongCause(limits.maxTextLength) + u'.';
    case BiffFailure::Kind::TooMuchText:
        return overLimit + tooMuchTextCause(limits.maxTextCharacters) + u'.';
    case BiffFailure::Kind::TooManyCells:
        return overLimit + tooManyCellsCause(limits.maxCells) + u'.';
    case BiffFailure::Kind::StringIndex:
        return damaged +
               QCoreApplication::translate(
                   "Workbook", "una cella rimanda a una stringa condivisa che non esiste") +
               at;
    case BiffFailure::Kind::NoSheet:
        return noSheetsMessage(name);
    case BiffFailure::Kind::TooManySheets:
        return overLimit + tooManySheetsCause(limits.maxSheets) + u'.';
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
    case BiffFailure::Kind::BadSheetOffset:
        return damaged +
               QCoreApplication::translate("Workbook", "la posizione %1 non è valida")
                   .arg(ofSheetPhrase(sheetIndex, sheetName)) +
               at;
    case BiffFailure::Kind::CellOutOfRange:
        return damaged +
               QCoreApplication::translate("Workbook",
                                           "la cella di riga %1, colonna %2 è oltre i limiti di un "
                                           "foglio .xls (%3 righe per %4 colonne)")
                   .arg(f.row)
                   .arg(f.col)
                   .arg(kBiffMaxRows)
                   .arg(kBiffMaxColumns) +
               at;
    }
    return QString();
}

} // namespace

bool XlsReader::read(const QString& path) {
    const QString name = QFileInfo(path).fileName();

    // Progress is told in stages: the container, the globals, the sheet.
    const auto stage = [this, &name](int percent) {
        if (!m_progress)
            return true;
        m_progress->setPercent(percent);
        if (!m_progress->cancelled())
            return true;
        m_error = QCoreApplication::translate("Workbook", "La lettura di %1 è stata annullata.")
                      .arg(name);
        return false;
    };
    const Ole2Stream stream = readOle2WorkbookStream(path);
    if (stream.status != Ole2Stream::Status::Ok) {
        m_error = streamMessage(stream, name);
        return false;
    }
    if (!stage(30))
        return false;

    BiffWorkbook book;
    BiffFailure failure = readBiffWorkbook(stream.data, &book, m_limits);
    if (!failure.failed())
        failure = checkBiffSheet(book, m_sheetIndex);
    if (!failure.failed() && !stage(40))
        return false;
    if (!failure.failed())
        failure = readBiffWorksheet(stream.data, book, m_sheetIndex, &m_sheet, m_limits);
    if (failure.failed()) {
        m_error = biffMessage(failure, name, m_limits, book, m_sheetIndex);
        return false;
    }
    for (const BiffSheet& sheet : book.sheets)
        m_sheetNames.append(sheet.name);
    return stage(100);
}

bool XlsReader::readSheets(const QString& path, const SheetVisitor& visit, int threads) {
    close();
    m_error.clear();
    m_sheetNames.clear();
    const QString name = QFileInfo(path).fileName();
    const Ole2Stream stream = readOle2WorkbookStream(path);
    if (stream.status != Ole2Stream::Status::Ok) {
        m_error = streamMessage(stream, name);
        return false;
    }
    BiffWorkbook book;
    if (const BiffFailure failure = readBiffWorkbook(stream.data, &book, m_limits);
        failure.failed()) {
        m_error = biffMessage(failure, name, m_limits, book, 0);
        return false;
    }
    for (const BiffSheet& sheet : book.sheets)
        m_sheetNames.append(sheet.name);

    // The sheets are read side by side from the one stream.
    const auto read = [&](int, int index, SheetData& sheet, QString* error) {
        const BiffFailure failure = readBiffWorksheet(stream.data, book, index, &sheet, m_limits);
        if (failure.failed()) {
            *error = biffMessage(failure, name, m_limits, book, index);
            return false;
        }
        return true;
    };
    return passOver(static_cast<int>(book.sheets.size()), threads, read, visit);
}
