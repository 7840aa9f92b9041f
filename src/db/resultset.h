#pragma once

#include <QString>
#include <QStringList>
#include <QVariant>
#include <QVector>

namespace db {

enum class FieldKind { Text, Integer, Decimal, Date, DateTime, Other };

struct Field {
    QString name;
    FieldKind kind = FieldKind::Text;
    int length = 0;     // characters for text columns
    int decimals = 0;
    bool autoIncrement = false;
    bool notNull = false;
};

using Row = QVector<QVariant>;

// The rows of one select, fetched to the client. Column names compare without regard to case.
class ResultSet {
public:
    QVector<Field> fields;
    QVector<Row> rows;

    int columnCount() const { return int(fields.size()); }
    int rowCount() const { return int(rows.size()); }
    bool isEmpty() const { return rows.isEmpty(); }
    int indexOf(const QString& column) const;   // -1 when missing
    QVariant value(int row, const QString& column) const;
    QString text(int row, const QString& column) const { return value(row, column).toString(); }
    double number(int row, const QString& column) const { return value(row, column).toDouble(); }
    long long integer(int row, const QString& column) const { return value(row, column).toLongLong(); }
    QStringList columnNames() const;
};

} // namespace db
