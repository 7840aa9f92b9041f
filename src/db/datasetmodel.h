#pragma once

#include "db/dataset.h"

#include <QAbstractTableModel>
#include <functional>

namespace db {

// A grid's view of a Dataset: the chosen columns with their captions and display formats.
// Editing a cell stores the row by its key. A value that is not a number in a numeric column
// throws db::ConversionError (the handler of unexpected errors only warns about it); a row the
// server refuses goes to storeError and the edit is not taken.
class DatasetModel : public QAbstractTableModel {
    Q_OBJECT
public:
    struct Column {
        QString field;
        QString caption;
        QString format;          // display pattern for numbers, e.g. "## ##0.0000"
        bool editable = false;
        int width = 0;           // pixels, 0 = the grid decides
        Qt::Alignment alignment = {};
    };

    explicit DatasetModel(Dataset& ds, QObject* parent = nullptr) : QAbstractTableModel(parent), ds_(&ds) {}

    Dataset& dataset() const { return *ds_; }
    void setColumns(QVector<Column> columns);
    const QVector<Column>& columns() const { return cols_; }
    int columnOf(const QString& field) const;
    // Columns of all fields, captions = field names (for quick grids).
    void useAllFields();

    // Call after the dataset was opened, refreshed or filtered.
    void reload();

    std::function<void(const Error&)> storeError;
    // When set, a value that is not a number goes here instead of being thrown (a grid hands it
    // on without unwinding through the view), and the edit is not taken.
    std::function<void(const ConversionError&)> conversionError;

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    bool setData(const QModelIndex& index, const QVariant& value, int role) override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;

    // The text a cell shows.
    QString displayText(int row, int column) const;

signals:
    // An edit that storeError or conversionError turned down, with the value typed.
    void editRejected(const QModelIndex& index, const QVariant& value);

private:
    Dataset* ds_;
    QVector<Column> cols_;
};

} // namespace db
