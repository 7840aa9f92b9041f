#pragma once

#include "db/connection.h"

#include <QVariant>
#include <functional>

namespace db {

// The rows of a select held on the client with a cursor, as the windows' grids use them.
// A filter hides rows without asking the server again. With a table and key column set, a row can
// be changed and stored back ("update {table} set ... where {key} = ...").
class Dataset {
public:
    Dataset(Connection& c, QString statement = {}) : conn_(&c), sql_(std::move(statement)) {}

    Connection& connection() const { return *conn_; }
    void setStatement(const QString& statement) { sql_ = statement; }
    const QString& statement() const { return sql_; }
    void setTable(const QString& table, const QString& keyColumn = "id") {
        table_ = table;
        key_ = keyColumn;
    }
    const QString& table() const { return table_; }
    const QString& keyColumn() const { return key_; }

    void open();
    void close();
    bool isOpen() const { return open_; }
    // Reads the rows again and keeps the cursor on the same key (or the same position).
    void refresh();

    // Visible rows (after the filter).
    int rowCount() const { return int(visible_.size()); }
    bool isEmpty() const { return visible_.isEmpty(); }
    const QVector<Field>& fields() const { return data_.fields; }
    int fieldIndex(const QString& column) const { return data_.indexOf(column); }

    int recNo() const { return cur_; }          // 0-based, -1 when empty
    void setRecNo(int row);
    void first() { setRecNo(0); }
    void last() { setRecNo(rowCount() - 1); }
    bool next();                                // false at the end
    bool prior();
    bool eof() const { return eof_; }

    QVariant value(const QString& column) const { return valueAt(cur_, column); }
    QVariant valueAt(int row, const QString& column) const;
    QVariant valueAt(int row, int column) const;
    QString text(const QString& column) const { return value(column).toString(); }
    double number(const QString& column) const { return value(column).toDouble(); }

    // Moves the cursor to the first visible row whose column equals the value (texts compared
    // without regard to case; with partial, a text that starts with it). False leaves it.
    bool locate(const QString& column, const QVariant& v, bool partial = false);

    using Filter = std::function<bool(const Dataset&, int sourceRow)>;
    void setFilter(Filter f);
    void clearFilter() { setFilter({}); }
    QVariant sourceValue(int sourceRow, const QString& column) const;
    // By column index (fieldIndex): a filter over many rows looks the column up once.
    QVariant sourceValue(int sourceRow, int column) const;

    // Changes a value of a visible row on the client and in the table (one update by the key).
    // Throws db::Error when the server refuses, db::ConversionError for a text that is no number in
    // a numeric column; the client copy stays unchanged then.
    void store(int row, const QString& column, const QVariant& v);
    void storeRow(int row, const QVector<QPair<QString, QVariant>>& values);

    // Called after the cursor moved.
    std::function<void()> afterScroll;

private:
    void rebuildVisible();
    QString literal(const Field& f, const QVariant& v) const;

    Connection* conn_;
    QString sql_;
    QString table_;
    QString key_ = "id";
    ResultSet data_;
    QVector<int> visible_;
    Filter filter_;
    int cur_ = -1;
    bool eof_ = true;
    bool open_ = false;
};

} // namespace db
