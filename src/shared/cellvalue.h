#pragma once

#include <QDateTime>
#include <QString>

#include <variant>

// The error value of a spreadsheet cell, such as "#DIV/0!" or "#N/A".
struct CellError {
    QString code;
    bool operator==(const CellError&) const = default;
};

// One element of every table: empty, a number, a text, a boolean, a date or
// a spreadsheet error value. Copies are cheap (texts are shared).
class CellValue {
public:
    enum class Kind { Empty, Number, Text, Boolean, Date, Error };

    CellValue() = default;
    CellValue(double number) : m_value(number) {}
    CellValue(const QString& text) : m_value(text) {}
    CellValue(QString&& text) : m_value(std::move(text)) {}

    static CellValue fromBool(bool value);
    static CellValue fromDate(const QDateTime& value);
    static CellValue fromError(const QString& code);

    Kind kind() const { return static_cast<Kind>(m_value.index()); }
    bool isEmpty() const { return kind() == Kind::Empty; }
    bool isNumber() const { return kind() == Kind::Number; }
    bool isText() const { return kind() == Kind::Text; }
    bool isBool() const { return kind() == Kind::Boolean; }
    bool isDate() const { return kind() == Kind::Date; }
    bool isError() const { return kind() == Kind::Error; }

    // True for an empty cell and for an empty text: the value compares equal
    // to "" (the rule that ends the matrix block).
    bool equalsEmptyText() const;

    // The stored value; each is valid only for its own kind.
    double number() const { return std::get<double>(m_value); }
    const QString& text() const { return std::get<QString>(m_value); }
    bool boolean() const { return std::get<bool>(m_value); }
    const QDateTime& date() const { return std::get<QDateTime>(m_value); }
    const QString& errorCode() const { return std::get<CellError>(m_value).code; }

    bool operator==(const CellValue&) const = default;

private:
    std::variant<std::monostate, double, QString, bool, QDateTime, CellError> m_value;
};
