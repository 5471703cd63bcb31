#include "workbook/sheetreader.h"

bool SheetReader::handOver(int index, const SheetVisitor& visit, int count) {
    const bool go = visit(index, m_sheetNames.value(index), *this);
    m_sheet.clear();
    if (m_progress && count > 0)
        m_progress->setPercent(percentOf(index + 1, count));
    return go;
}

Status SheetReader::passOver(int count, int threads, const SheetRead& read,
                             const SheetVisitor& visit) {
    // Sheets are finished where they are read, side by side.
    const auto readFinished = [&](int worker, int index, SheetData& sheet) {
        Status done = read(worker, index, sheet);
        if (done)
            sheet.finish();
        return done;
    };
    const auto take = [&](int index, SheetData& sheet) {
        m_sheet = std::move(sheet);
        return handOver(index, visit, count);
    };
    return passSheets(count, threads, readFinished, take);
}
