#include "db/datasetmodel.h"

#include "core/numformat.h"

#include <QDate>
#include <QDateTime>

namespace db {

void DatasetModel::setColumns(QVector<Column> columns) {
    beginResetModel();
    cols_ = std::move(columns);
    endResetModel();
}

void DatasetModel::useAllFields() {
    QVector<Column> cols;
    for (const auto& f : ds_->fields()) cols.push_back({f.name, f.name, {}, false, 0, {}});
    setColumns(cols);
}

int DatasetModel::columnOf(const QString& field) const {
    for (int i = 0; i < cols_.size(); ++i)
        if (cols_[i].field.compare(field, Qt::CaseInsensitive) == 0) return i;
    return -1;
}

void DatasetModel::reload() {
    beginResetModel();
    endResetModel();
}

int DatasetModel::rowCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : ds_->rowCount(); }

int DatasetModel::columnCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : int(cols_.size()); }

QString DatasetModel::displayText(int row, int column) const {
    const Column& c = cols_[column];
    const QVariant v = ds_->valueAt(row, c.field);
    if (v.isNull()) return {};
    switch (v.typeId()) {
    case QMetaType::Double: return c.format.isEmpty() ? core::formatNumber(v.toDouble(), "0.####") : core::formatNumber(v.toDouble(), c.format);
    case QMetaType::LongLong: return c.format.isEmpty() ? v.toString() : core::formatNumber(v.toDouble(), c.format);
    case QMetaType::QDate: return v.toDate().toString("dd.MM.yyyy");
    case QMetaType::QDateTime: return v.toDateTime().date().toString("dd.MM.yyyy");
    default: return v.toString();
    }
}

QVariant DatasetModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.column() >= cols_.size()) return {};
    if (role == Qt::DisplayRole) return displayText(index.row(), index.column());
    if (role == Qt::EditRole) {
        const QVariant v = ds_->valueAt(index.row(), cols_[index.column()].field);
        if (v.typeId() == QMetaType::Double) return core::formatNumber(v.toDouble(), "0.######");
        return v;
    }
    if (role == Qt::TextAlignmentRole) {
        if (cols_[index.column()].alignment) return int(cols_[index.column()].alignment);
        const QVariant v = ds_->valueAt(index.row(), cols_[index.column()].field);
        if (v.typeId() == QMetaType::Double || v.typeId() == QMetaType::LongLong)
            return int(Qt::AlignRight | Qt::AlignVCenter);
    }
    return {};
}

bool DatasetModel::setData(const QModelIndex& index, const QVariant& value, int role) {
    if (role != Qt::EditRole || !index.isValid()) return false;
    const Column& c = cols_[index.column()];
    const int fi = ds_->fieldIndex(c.field);
    if (fi < 0) return false;
    QVariant v = value;
    const FieldKind kind = ds_->fields()[fi].kind;
    if (kind == FieldKind::Decimal || kind == FieldKind::Integer) {
        const auto n = core::parseNumber(value.toString());
        if (!n) {
            const ConversionError e(ds_->fields()[fi].name, value.toString());
            if (!conversionError) throw e;
            conversionError(e);
            emit editRejected(index, value);
            return false;
        }
        v = *n;
    }
    try {
        ds_->store(index.row(), c.field, v);
    } catch (const Error& e) {
        if (storeError) {
            storeError(e);
            emit editRejected(index, value);
            return false;
        }
        throw;
    }
    emit dataChanged(this->index(index.row(), 0), this->index(index.row(), columnCount() - 1));
    return true;
}

QVariant DatasetModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation == Qt::Horizontal && role == Qt::DisplayRole && section < cols_.size()) return cols_[section].caption;
    return QAbstractTableModel::headerData(section, orientation, role);
}

Qt::ItemFlags DatasetModel::flags(const QModelIndex& index) const {
    auto f = QAbstractTableModel::flags(index);
    if (index.isValid() && cols_[index.column()].editable) f |= Qt::ItemIsEditable;
    return f;
}

} // namespace db
