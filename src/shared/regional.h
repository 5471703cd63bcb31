#pragma once

#include "shared/cellvalue.h"

#include <QLocale>
#include <QString>

#include <optional>
#include <string>
#include <string_view>

// Number texts under the regional settings: every function that formats or
// parses a number for the user goes through one Regional object. The program
// builds it from the system locale; tests pass an explicit locale.
class Regional {
public:
    explicit Regional(const QLocale& locale);
    // The locale of the environment (LC_ALL, LC_NUMERIC, LANG).
    static Regional system();

    const QLocale& locale() const { return m_locale; }

    // The index value text: four decimals with the locale's decimal separator
    // and digit grouping ("1.234,5678" under Italian). A value that rounds to
    // zero is written without a minus sign.
    QString indexText(double value) const;
    // The number indexText(value) reads as, found without writing the text;
    // nothing where only reading the text can tell.
    std::optional<double> indexTextValue(double value) const;
    // Appends indexText(value) to utf8 in UTF-8 and returns indexTextValue(value):
    // the text and its number found together, the text written once.
    std::optional<double> appendIndexText(double value, std::string& utf8) const;

    // A number with four decimals and no grouping, the pattern "0.0000"
    // ("3,5000" under Italian); never a minus sign before zero.
    QString fixed4(double value) const;

    // The grid text of a cell, "0.0000": a number, or a text that reads as a
    // number, with four decimals and no grouping; any other text unchanged;
    // other values as generalText gives them.
    QString gridText(const CellValue& cell) const;

    // The general text of a cell: a text unchanged; a number in general form
    // with up to 15 significant digits and no grouping ("2015", "3,5",
    // "1E+15": the exponent letter E under every locale); a
    // boolean as VERO/FALSO; a date in the locale's short form with the year
    // in full (and the time when it is not midnight); an error
    // value by its code; an empty cell as empty text.
    QString generalText(const CellValue& cell) const;

    // The number a text reads as under the locale, spaces around it trimmed
    // ("12,5" under Italian is 12.5; "12.5" under Italian is not a number).
    // Infinities and NaN are not numbers. A grouped number never starts
    // with a zero: a text whose digits before the first group separator
    // begin with one ("0.125", "-00.125", "0.125,5" under Italian, "0,125"
    // under C) is not a number, never a thousand times the one meant;
    // "1.234,5" under Italian is 1234.5.
    std::optional<double> parseNumber(QStringView text) const;
    // The number of a text in bytes (UTF-8 or any ASCII superset) that is
    // in the plain form: an optional '-', digits, and optionally the decimal
    // separator and more digits, nothing around them ("-12,5" under
    // Italian). False for a text in any other form, which parseNumber then
    // reads: the value is parseNumber's whenever this finds one.
    bool parsePlainNumber(std::string_view text, double* value) const;

    // Whether generalText writes a whole number in the digits std::to_chars
    // gives (ASCII digits, '-').
    bool plainWholeNumbers() const { return m_plainNumbers; }

    // The number of a cell: its value when it is a number, the number its
    // text reads as when it is a text; nothing for any other value.
    std::optional<double> numberOf(const CellValue& cell) const;

private:
    Regional(const QLocale& numbers, const QLocale& dates);

    QLocale m_locale;
    QLocale m_ungrouped;
    QString m_dateFormat;
    QString m_timeFormat;
    // The locale writes plain numbers with ASCII digits, '-' and a one-character
    // decimal separator, which parseNumber reads without the locale's parser.
    bool m_plainNumbers = false;
    char16_t m_decimalPoint = u'.';
    char16_t m_groupSeparator = u',';
    // The texts parseNumber looks for in a grouped number.
    QString m_groupText;
    QString m_zeroDigit;
    QString m_negativeSign;
    QString m_positiveSign;
    // indexText writes the C form's digits with the locale's separators.
    bool m_fastIndexText = false;
    // The separators of index texts in UTF-8.
    std::string m_decimalPointUtf8;
    std::string m_groupSeparatorUtf8;
};
