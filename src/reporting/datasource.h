#pragma once

#include "db/dataset.h"
#include "db/resultset.h"

#include <QVariant>
#include <memory>

namespace reporting {

// The rows a report runs over. Columns are looked up once by name, then read by index.
class DataSource {
public:
    virtual ~DataSource() = default;
    virtual int rowCount() const = 0;
    virtual int columnIndex(const QString& column) const = 0;   // -1 when missing
    virtual QVariant value(int row, int column) const = 0;
};

// Rows of a select, kept by the source (move the result in) or shared with the caller.
class ResultSetSource : public DataSource {
public:
    explicit ResultSetSource(db::ResultSet rs) : rs_(std::make_shared<const db::ResultSet>(std::move(rs))) {}
    explicit ResultSetSource(std::shared_ptr<const db::ResultSet> rs) : rs_(std::move(rs)) {}
    int rowCount() const override { return rs_->rowCount(); }
    int columnIndex(const QString& column) const override { return rs_->indexOf(column); }
    QVariant value(int row, int column) const override { return rs_->rows[row][column]; }
    const db::ResultSet& result() const { return *rs_; }

private:
    std::shared_ptr<const db::ResultSet> rs_;
};

// The visible rows of a dataset in their order (a grid's rows as the user sees them).
class DatasetSource : public DataSource {
public:
    explicit DatasetSource(const db::Dataset& ds) : ds_(ds) {}
    int rowCount() const override { return ds_.rowCount(); }
    int columnIndex(const QString& column) const override { return ds_.fieldIndex(column); }
    QVariant value(int row, int column) const override { return ds_.valueAt(row, column); }

private:
    const db::Dataset& ds_;
};

} // namespace reporting
