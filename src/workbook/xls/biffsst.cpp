#include "workbook/xls/biffsst.h"

#include <algorithm>

BiffFailure::Kind readBiffSst(BiffContinuedRecord& record, std::vector<QString>* strings,
                              const ReaderLimits& limits) {
    strings->clear();
    quint32 total = 0;
    quint32 unique = 0;
    if (!record.readU32(&total) || !record.readU32(&unique))
        return BiffFailure::Kind::SstTruncated;
    if (unique > limits.maxSharedStrings)
        return BiffFailure::Kind::SstTooLarge;
    // Each string takes at least three bytes: its count and option byte.
    constexpr qsizetype kMinStringBytes = 3;
    strings->reserve(
        static_cast<std::size_t>(std::min<qint64>(unique, record.remaining() / kMinStringBytes)));
    QString text;
    qint64 characters = 0;
    for (quint32 i = 0; i < unique; ++i) {
        if (!record.readString(BiffContinuedRecord::CountWidth::Word, &text))
            return BiffFailure::Kind::SstTruncated;
        if (text.size() > limits.maxTextLength)
            return BiffFailure::Kind::TextTooLong;
        characters += text.size();
        if (characters > limits.maxTextCharacters)
            return BiffFailure::Kind::TooMuchText;
        strings->push_back(text);
    }
    return BiffFailure::Kind::None;
}
