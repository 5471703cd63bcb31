#pragma once

#include <QByteArray>

#include <cstdint>
#include <vector>

// How a cell of the results workbook looks.
struct XlsxFormat {
    bool bold = false;
    bool whiteText = false;
    // A number format ("0.0000"); empty for the General format.
    QByteArray numberFormat;
    // Background as 0xRRGGBB; kNoFill for none.
    std::uint32_t fill = kNoFill;

    static constexpr std::uint32_t kNoFill = 0xFFFFFFFFu;
    bool operator==(const XlsxFormat&) const = default;
};

// The format of a cell that holds a coefficient comparing rankings: its
// shade on the stepped scale (coefficientRgb), its text black or white by
// the rule the windows and the report follow (takesWhiteText).
XlsxFormat coefficientFormat(double value, const QByteArray& numberFormat);

// The formats of a workbook and its styles part (xl/styles.xml). A format
// is known by its index, which cells carry as their style; index 0 is the
// default look.
class XlsxStyles {
public:
    XlsxStyles();
    // The index of format, added the first time it is asked for.
    int add(const XlsxFormat& format);
    QByteArray xml() const;

private:
    std::vector<XlsxFormat> m_formats;
};
