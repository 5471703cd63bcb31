#include "workbook/xls/biffworkbook.h"

#include "workbook/exceldates.h"
#include "workbook/xls/biffbytes.h"
#include "workbook/xls/biffcontinuedrecord.h"
#include "workbook/xls/biffrecordreader.h"
#include "workbook/xls/biffsst.h"

#include <QHash>

namespace {

BiffFailure::SheetKind sheetKindOf(quint8 type) {
    switch (type) {
    case 0x00:
        return BiffFailure::SheetKind::Worksheet;
    case 0x01:
        return BiffFailure::SheetKind::MacroSheet;
    case 0x02:
        return BiffFailure::SheetKind::Chart;
    case 0x06:
        return BiffFailure::SheetKind::Module;
    default:
        return BiffFailure::SheetKind::Other;
    }
}

// A number format shows a date when it is one of the built-in date formats
// or its code (as the workbook defines it) holds a day, month or year. The
// General format (0) never does, whatever the name a writer gives it.
bool isDateFormat(quint16 id, const QHash<quint16, QString>& codes) {
    if (isBuiltinDateFormat(id))
        return true;
    if (id == 0)
        return false;
    const auto it = codes.constFind(id);
    return it != codes.constEnd() && isDateFormatCode(*it);
}

// Reads the first record, which must open the globals of a BIFF8 workbook.
BiffFailure readGlobalsBof(BiffRecordReader& reader, BiffRecord& record) {
    const BiffRecordReader::Status status = reader.next(&record);
    if (status != BiffRecordReader::Status::Ok)
        return BiffFailure::at(BiffFailure::Kind::NotBiff, record.offset);
    if (record.type == BiffType::Bof2 || record.type == BiffType::Bof3 ||
        record.type == BiffType::Bof4)
        return BiffFailure::at(BiffFailure::Kind::OldFormat, record.offset);
    quint16 version = 0;
    quint16 kind = 0;
    if (record.type != BiffType::Bof || !readBiffBof(record.body, &version, &kind))
        return BiffFailure::at(BiffFailure::Kind::NotBiff, record.offset);
    if (version != BiffBof::Biff8)
        return BiffFailure::at(BiffFailure::Kind::OldFormat, record.offset);
    if (kind != BiffBof::Globals)
        return BiffFailure::at(BiffFailure::Kind::NotBiff, record.offset);
    return {};
}

// The shared strings of an SST record and the CONTINUE records after it.
BiffFailure readSharedStrings(const BiffRecord& record, BiffRecordReader& reader,
                              BiffWorkbook* book, const ReaderLimits& limits) {
    std::vector<QByteArrayView> parts{record.body};
    const auto continues = reader.takeContinues(&parts);
    if (continues != BiffRecordReader::Status::Ok)
        return BiffFailure::at(biffFailureKind(continues), reader.position());
    BiffContinuedRecord in(std::move(parts), book->codepage);
    std::vector<QString> strings;
    if (const auto kind = readBiffSst(in, &strings, limits); kind != BiffFailure::Kind::None)
        return BiffFailure::at(kind, record.offset);
    book->sharedStrings = std::make_shared<const std::vector<QString>>(std::move(strings));
    return {};
}

// A sheet of the workbook, from its BOUNDSHEET record.
BiffFailure readBoundSheet(const BiffRecord& record, BiffWorkbook* book,
                           const ReaderLimits& limits) {
    const QByteArrayView body = record.body;
    if (body.size() < 6)
        return BiffFailure::at(BiffFailure::Kind::ShortRecord, record.offset);
    BiffContinuedRecord in(body.sliced(6), book->codepage);
    QString sheetName;
    if (!in.readString(BiffContinuedRecord::CountWidth::Byte, &sheetName))
        return BiffFailure::at(BiffFailure::Kind::ShortRecord, record.offset);
    if (std::ssize(book->sheets) >= limits.maxSheets)
        return BiffFailure::at(BiffFailure::Kind::TooManySheets, record.offset);
    book->sheets.push_back(
        {std::move(sheetName), qsizetype(u32At(body, 0)), static_cast<quint8>(body.at(5))});
    return {};
}

// What the globals define before their EOF: the number formats by id and
// the format of each cell style, by style index.
struct GlobalFormats {
    QHash<quint16, QString> codes;
    std::vector<quint16> xfFormats;
};

// Takes one record of the globals into book and formats.
BiffFailure readGlobalsRecord(const BiffRecord& record, BiffRecordReader& reader,
                              BiffWorkbook* book, GlobalFormats& formats,
                              const ReaderLimits& limits) {
    const QByteArrayView body = record.body;
    const auto shortRecord = [&] {
        return BiffFailure::at(BiffFailure::Kind::ShortRecord, record.offset);
    };
    switch (record.type) {
    case BiffType::FilePass:
        // Everything after this record is encrypted.
        return BiffFailure::at(BiffFailure::Kind::Encrypted, record.offset);
    case BiffType::Codepage:
        if (body.size() < 2)
            return shortRecord();
        book->codepage = u16At(body, 0);
        return {};
    case BiffType::DateMode:
        if (body.size() < 2)
            return shortRecord();
        book->date1904 = u16At(body, 0) == 1;
        return {};
    case BiffType::Format: {
        if (body.size() < 2)
            return shortRecord();
        BiffContinuedRecord in(body.sliced(2), book->codepage);
        QString code;
        if (!in.readString(BiffContinuedRecord::CountWidth::Word, &code))
            return shortRecord();
        formats.codes.insert(u16At(body, 0), code);
        return {};
    }
    case BiffType::Xf:
        if (body.size() < 4)
            return shortRecord();
        formats.xfFormats.push_back(u16At(body, 2));
        return {};
    case BiffType::Sst:
        return readSharedStrings(record, reader, book, limits);
    case BiffType::BoundSheet:
        return readBoundSheet(record, book, limits);
    default:
        return {};
    }
}

} // namespace

BiffFailure readBiffWorkbook(QByteArrayView stream, BiffWorkbook* book,
                             const ReaderLimits& limits) {
    *book = BiffWorkbook();
    BiffRecordReader reader(stream);
    BiffRecord record;
    if (BiffFailure f = readGlobalsBof(reader, record); f.failed())
        return f;

    GlobalFormats formats;
    for (;;) {
        const BiffRecordReader::Status status = reader.next(&record);
        if (status != BiffRecordReader::Status::Ok)
            return BiffFailure::at(biffFailureKind(status), record.offset);
        if (record.type == BiffType::Eof)
            break;
        if (BiffFailure f = readGlobalsRecord(record, reader, book, formats, limits); f.failed())
            return f;
    }

    if (book->sheets.empty())
        return BiffFailure::at(BiffFailure::Kind::NoSheet, record.offset);

    book->dateXf.reserve(formats.xfFormats.size());
    for (const quint16 id : formats.xfFormats)
        book->dateXf.push_back(isDateFormat(id, formats.codes));
    return {};
}

BiffFailure checkBiffSheet(const BiffWorkbook& book, int sheetIndex) {
    if (book.sheets.empty())
        return BiffFailure::at(BiffFailure::Kind::NoSheet, 0);
    if (sheetIndex < 0 || sheetIndex >= std::ssize(book.sheets))
        return BiffFailure::at(BiffFailure::Kind::NoSuchSheet, 0);
    const BiffSheet& sheet = book.sheets[std::size_t(sheetIndex)];
    if (sheetKindOf(sheet.type) != BiffFailure::SheetKind::Worksheet) {
        BiffFailure f = BiffFailure::at(BiffFailure::Kind::NotWorksheet, sheet.offset);
        f.sheetKind = sheetKindOf(sheet.type);
        return f;
    }
    return {};
}
