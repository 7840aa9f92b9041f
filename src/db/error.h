#pragma once

#include <QString>
#include <stdexcept>

namespace db {

// A statement or connection the server refused: its error number and text.
class Error : public std::runtime_error {
public:
    Error(unsigned number, const QString& text, const QString& statement = {})
        : std::runtime_error(text.toStdString()), number_(number), text_(text), statement_(statement) {}
    unsigned number() const { return number_; }
    const QString& text() const { return text_; }
    const QString& statement() const { return statement_; }

private:
    unsigned number_;
    QString text_;
    QString statement_;
};

// A value typed into a numeric field that is not a number (a grid cell of a quantity column).
// The error handler tells it apart from real failures by its type and field name.
class ConversionError : public std::runtime_error {
public:
    ConversionError(const QString& field, const QString& value)
        : std::runtime_error(QString("'%1' is not a valid floating point value for field '%2'")
                                 .arg(value, field)
                                 .toStdString()),
          field_(field), value_(value) {}
    const QString& field() const { return field_; }
    const QString& value() const { return value_; }

private:
    QString field_;
    QString value_;
};

} // namespace db
