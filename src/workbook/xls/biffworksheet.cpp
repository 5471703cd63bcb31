#include "workbook/xls/biffworksheet.h"

#include "workbook/exceldates.h"
#include "workbook/xls/biffbytes.h"
#include "workbook/xls/biffcontinuedrecord.h"
#include "workbook/xls/biffrecordreader.h"
#include "workbook/xls/biffvalues.h"

#include <cmath>

namespace {

BiffFailure::SheetKind sheetKindOfBof(quint16 kind) {
    switch (kind) {
    case BiffBof::Worksheet:
        return BiffFailure::SheetKind::Worksheet;
    case BiffBof::Chart:
        return BiffFailure::SheetKind::Chart;
    case BiffBof::MacroSheet:
        return BiffFailure::SheetKind::MacroSheet;
    case BiffBof::Module:
        return BiffFailure::SheetKind::Module;
    default:
        return BiffFailure::SheetKind::Other;
    }
}

// Turns the records of one worksheet substream into cells.
class SheetBuilder {
public:
    SheetBuilder(const BiffWorkbook& book, SheetData* sheet, const ReaderLimits& limits)
        : m_book(book), m_sheet(sheet), m_maxTextLength(limits.maxTextLength),
          m_textBudget(limits.maxTextCharacters) {
        for (const QString& shared : *book.sharedStrings)
            m_textBudget -= shared.size();
    }

    // Handles one record of the worksheet itself (not of an embedded chart).
    BiffFailure handle(const BiffRecord& record, BiffRecordReader& reader);

private:
    // Checks the cell position of a record body (row, column, then XF
    // index) and keeps it in m_row, m_col (1-based) and m_xf.
    BiffFailure cellHeader(const BiffRecord& record, qsizetype minBody);
    BiffFailure checkColumn(const BiffRecord& record, int col);
    void setNumber(int row, int col, quint16 xf, double value);
    BiffFailure formula(const BiffRecord& record);
    BiffFailure string(const BiffRecord& record, BiffRecordReader& reader);
    BiffFailure mulRk(const BiffRecord& record);
    BiffFailure setText(const BiffRecord& record, int row, int col, QString text);

    const BiffWorkbook& m_book;
    SheetData* m_sheet;
    int m_maxTextLength;
    qint64 m_textBudget; // characters the cells' own texts may still take
    int m_row = 0;
    int m_col = 0;
    quint16 m_xf = 0;
    // The cell of a formula whose text result comes in the next STRING
    // record.
    int m_pendingRow = 0;
    int m_pendingCol = 0;
};

BiffFailure SheetBuilder::checkColumn(const BiffRecord& record, int col) {
    if (col <= kBiffMaxColumns)
        return {};
    BiffFailure f = BiffFailure::at(BiffFailure::Kind::CellOutOfRange, record.offset);
    f.row = m_row;
    f.col = col;
    return f;
}

BiffFailure SheetBuilder::cellHeader(const BiffRecord& record, qsizetype minBody) {
    if (record.body.size() < minBody)
        return BiffFailure::at(BiffFailure::Kind::ShortRecord, record.offset);
    // A 16-bit row index cannot pass kBiffMaxRows; the column can pass 256.
    m_row = u16At(record.body, 0) + 1;
    m_col = u16At(record.body, 2) + 1;
    m_xf = u16At(record.body, 4);
    return checkColumn(record, m_col);
}

void SheetBuilder::setNumber(int row, int col, quint16 xf, double value) {
    // Bits of an infinity or a NaN: what a spreadsheet shows as #NUM!.
    if (!std::isfinite(value)) {
        m_sheet->set(row, col, CellValue::fromError(QStringLiteral("#NUM!")));
        return;
    }
    if (m_book.isDateXf(xf)) {
        const QDateTime date = excelSerialToDateTime(value, m_book.date1904);
        if (date.isValid()) {
            m_sheet->set(row, col, CellValue::fromDate(date));
            return;
        }
    }
    m_sheet->set(row, col, CellValue(value));
}

BiffFailure SheetBuilder::formula(const BiffRecord& record) {
    if (BiffFailure f = cellHeader(record, 14); f.failed())
        return f;
    const QByteArrayView body = record.body;
    // A result whose last two bytes are 0xFFFF is not a number: its first
    // byte gives the kind.
    if (u16At(body, 12) != 0xFFFF) {
        setNumber(m_row, m_col, m_xf, doubleAt(body, 6));
        return {};
    }
    switch (static_cast<quint8>(body.at(6))) {
    case 0x00: // text, in the STRING record that follows
        m_pendingRow = m_row;
        m_pendingCol = m_col;
        break;
    case 0x01:
        m_sheet->set(m_row, m_col, CellValue::fromBool(body.at(8) != 0));
        break;
    case 0x02:
        m_sheet->set(m_row, m_col,
                     CellValue::fromError(biffErrorText(static_cast<quint8>(body.at(8)))));
        break;
    case 0x03:
        m_sheet->set(m_row, m_col, CellValue(QString()));
        break;
    default:
        break;
    }
    return {};
}

BiffFailure SheetBuilder::string(const BiffRecord& record, BiffRecordReader& reader) {
    std::vector<QByteArrayView> parts{record.body};
    const auto continues = reader.takeContinues(&parts);
    if (continues != BiffRecordReader::Status::Ok)
        return BiffFailure::at(biffFailureKind(continues), reader.position());
    if (m_pendingRow == 0)
        return {}; // a STRING record with no formula before it
    BiffContinuedRecord in(std::move(parts), m_book.codepage);
    QString text;
    if (!in.readString(BiffContinuedRecord::CountWidth::Word, &text))
        return BiffFailure::at(BiffFailure::Kind::ShortRecord, record.offset);
    const int row = m_pendingRow;
    const int col = m_pendingCol;
    m_pendingRow = m_pendingCol = 0;
    return setText(record, row, col, std::move(text));
}

BiffFailure SheetBuilder::setText(const BiffRecord& record, int row, int col, QString text) {
    if (text.size() > m_maxTextLength)
        return BiffFailure::at(BiffFailure::Kind::TextTooLong, record.offset);
    m_textBudget -= text.size();
    if (m_textBudget < 0)
        return BiffFailure::at(BiffFailure::Kind::TooMuchText, record.offset);
    m_sheet->set(row, col, CellValue(std::move(text)));
    return {};
}

BiffFailure SheetBuilder::mulRk(const BiffRecord& record) {
    // Row, first column, then six bytes per cell (XF index and RK value),
    // then the last column.
    const QByteArrayView body = record.body;
    if (body.size() < 12 || (body.size() - 6) % 6 != 0)
        return BiffFailure::at(BiffFailure::Kind::ShortRecord, record.offset);
    m_row = u16At(body, 0) + 1;
    const int first = u16At(body, 2) + 1;
    const qsizetype count = (body.size() - 6) / 6;
    if (BiffFailure f = checkColumn(record, first + static_cast<int>(count) - 1); f.failed())
        return f;
    for (qsizetype i = 0; i < count; ++i) {
        const qsizetype at = 4 + 6 * i;
        setNumber(m_row, first + static_cast<int>(i), u16At(body, at),
                  decodeRk(u32At(body, at + 2)));
    }
    return {};
}

BiffFailure SheetBuilder::handle(const BiffRecord& record, BiffRecordReader& reader) {
    switch (record.type) {
    case BiffType::Number:
        if (BiffFailure f = cellHeader(record, 14); f.failed())
            return f;
        setNumber(m_row, m_col, m_xf, doubleAt(record.body, 6));
        break;
    case BiffType::Rk:
        if (BiffFailure f = cellHeader(record, 10); f.failed())
            return f;
        setNumber(m_row, m_col, m_xf, decodeRk(u32At(record.body, 6)));
        break;
    case BiffType::MulRk:
        return mulRk(record);
    case BiffType::LabelSst: {
        if (BiffFailure f = cellHeader(record, 10); f.failed())
            return f;
        const quint32 index = u32At(record.body, 6);
        if (index >= m_sheet->sharedTexts().size())
            return BiffFailure::at(BiffFailure::Kind::StringIndex, record.offset);
        m_sheet->setSharedText(m_row, m_col, index);
        break;
    }
    case BiffType::Label:
    case BiffType::RString: {
        if (BiffFailure f = cellHeader(record, 6); f.failed())
            return f;
        BiffContinuedRecord in(record.body.sliced(6), m_book.codepage);
        QString text;
        if (!in.readString(BiffContinuedRecord::CountWidth::Word, &text))
            return BiffFailure::at(BiffFailure::Kind::ShortRecord, record.offset);
        return setText(record, m_row, m_col, std::move(text));
    }
    case BiffType::BoolErr: {
        if (BiffFailure f = cellHeader(record, 8); f.failed())
            return f;
        const auto value = static_cast<quint8>(record.body.at(6));
        if (record.body.at(7) != 0)
            m_sheet->set(m_row, m_col, CellValue::fromError(biffErrorText(value)));
        else
            m_sheet->set(m_row, m_col, CellValue::fromBool(value != 0));
        break;
    }
    case BiffType::Formula:
        m_pendingRow = m_pendingCol = 0;
        return formula(record);
    case BiffType::String:
        return string(record, reader);
    default:
        break; // BLANK, MULBLANK, SHRFMLA, ARRAY and the rest add no value
    }
    return {};
}

} // namespace

BiffFailure readBiffWorksheet(QByteArrayView stream, const BiffWorkbook& book, int sheetIndex,
                              SheetData* sheet, const ReaderLimits& limits) {
    if (BiffFailure f = checkBiffSheet(book, sheetIndex); f.failed())
        return f;
    const qsizetype offset = book.sheets[std::size_t(sheetIndex)].offset;
    if (offset < 0 || offset >= stream.size())
        return BiffFailure::at(BiffFailure::Kind::BadSheetOffset, offset);
    BiffRecordReader reader(stream, offset);
    BiffRecord record;
    BiffRecordReader::Status status = reader.next(&record);
    quint16 version = 0;
    quint16 kind = 0;
    if (status != BiffRecordReader::Status::Ok || record.type != BiffType::Bof ||
        !readBiffBof(record.body, &version, &kind))
        return BiffFailure::at(BiffFailure::Kind::BadSheetOffset, offset);
    // The globals said BIFF8 already; some writers leave the sheet's version
    // blank, so only its kind counts.
    if (kind != BiffBof::Worksheet) {
        BiffFailure f = BiffFailure::at(BiffFailure::Kind::NotWorksheet, record.offset);
        f.sheetKind = sheetKindOfBof(kind);
        return f;
    }

    sheet->setSharedTexts(book.sharedStrings);
    SheetBuilder builder(book, sheet, limits);
    // Embedded charts bring their own BOF ... EOF substreams inside the
    // worksheet's; their records are not cells of the sheet.
    int depth = 1;
    for (;;) {
        status = reader.next(&record);
        if (status != BiffRecordReader::Status::Ok)
            return BiffFailure::at(biffFailureKind(status), record.offset);
        if (record.type == BiffType::Bof) {
            ++depth;
            continue;
        }
        if (record.type == BiffType::Eof) {
            if (--depth == 0)
                return {};
            continue;
        }
        if (depth > 1)
            continue;
        if (BiffFailure f = builder.handle(record, reader); f.failed())
            return f;
        if (sheet->cellCount() > limits.maxCells)
            return BiffFailure::at(BiffFailure::Kind::TooManyCells, record.offset);
    }
}
