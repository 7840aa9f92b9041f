#include "db/dataset.h"

#include "core/numformat.h"
#include "db/sqltext.h"

#include <QDate>
#include <QDateTime>

namespace db {

void Dataset::open() {
    data_ = conn_->query(sql_);
    open_ = true;
    rebuildVisible();
    cur_ = visible_.isEmpty() ? -1 : 0;
    eof_ = visible_.isEmpty();
    if (afterScroll) afterScroll();
}

void Dataset::close() {
    data_ = {};
    visible_.clear();
    open_ = false;
    cur_ = -1;
    eof_ = true;
}

void Dataset::refresh() {
    const int keyCol = data_.indexOf(key_);
    const QVariant key = (keyCol >= 0 && cur_ >= 0) ? valueAt(cur_, keyCol) : QVariant();
    const int pos = cur_;
    data_ = conn_->query(sql_);
    open_ = true;
    rebuildVisible();
    cur_ = visible_.isEmpty() ? -1 : std::clamp(pos, 0, int(visible_.size()) - 1);
    // Back on the same row; when it is gone the cursor stays on the same position.
    if (key.isValid()) locate(key_, key);
    eof_ = visible_.isEmpty();
    if (afterScroll) afterScroll();
}

void Dataset::rebuildVisible() {
    visible_.clear();
    visible_.reserve(data_.rows.size());
    for (int i = 0; i < data_.rows.size(); ++i)
        if (!filter_ || filter_(*this, i)) visible_.push_back(i);
}

void Dataset::setFilter(Filter f) {
    filter_ = std::move(f);
    rebuildVisible();
    cur_ = visible_.isEmpty() ? -1 : 0;
    eof_ = visible_.isEmpty();
    if (afterScroll) afterScroll();
}

void Dataset::setRecNo(int row) {
    if (visible_.isEmpty()) {
        cur_ = -1;
        eof_ = true;
        return;
    }
    cur_ = std::clamp(row, 0, int(visible_.size()) - 1);
    eof_ = false;
    if (afterScroll) afterScroll();
}

bool Dataset::next() {
    if (cur_ + 1 >= rowCount()) {
        eof_ = true;
        return false;
    }
    setRecNo(cur_ + 1);
    return true;
}

bool Dataset::prior() {
    if (cur_ <= 0) return false;
    setRecNo(cur_ - 1);
    return true;
}

QVariant Dataset::valueAt(int row, const QString& column) const {
    const int c = data_.indexOf(column);
    if (c < 0) throw Error(1054, QString("Unknown column '%1' in dataset").arg(column), sql_);
    return valueAt(row, c);
}

QVariant Dataset::valueAt(int row, int column) const {
    if (row < 0 || row >= visible_.size() || column < 0 || column >= data_.columnCount()) return {};
    return data_.rows[visible_[row]][column];
}

QVariant Dataset::sourceValue(int sourceRow, const QString& column) const {
    const int c = data_.indexOf(column);
    if (c < 0 || sourceRow < 0 || sourceRow >= data_.rows.size()) return {};
    return data_.rows[sourceRow][c];
}

QVariant Dataset::sourceValue(int sourceRow, int column) const {
    if (column < 0 || column >= data_.columnCount() || sourceRow < 0 || sourceRow >= data_.rows.size()) return {};
    return data_.rows[sourceRow][column];
}

bool Dataset::locate(const QString& column, const QVariant& v, bool partial) {
    const int c = data_.indexOf(column);
    if (c < 0) return false;
    const bool isText = v.typeId() == QMetaType::QString;
    const QString needle = v.toString();
    for (int i = 0; i < visible_.size(); ++i) {
        const QVariant& x = data_.rows[visible_[i]][c];
        bool hit;
        if (isText) {
            const QString s = x.toString();
            hit = partial ? s.startsWith(needle, Qt::CaseInsensitive) : s.compare(needle, Qt::CaseInsensitive) == 0;
        } else {
            hit = x == v || x.toString() == needle;
        }
        if (hit) {
            setRecNo(i);
            return true;
        }
    }
    return false;
}

QString Dataset::literal(const Field& f, const QVariant& v) const {
    if (v.isNull() || !v.isValid()) return "null";
    switch (f.kind) {
    case FieldKind::Integer: return sql::num(v.toLongLong());
    case FieldKind::Decimal: return sql::num(v.toDouble());
    case FieldKind::Date: return sql::date(v.toDate());
    case FieldKind::DateTime:
        return v.typeId() == QMetaType::QDate ? sql::datetime(v.toDate()) : sql::datetime(v.toDateTime());
    default: return sql::q(v.toString());
    }
}

void Dataset::store(int row, const QString& column, const QVariant& v) { storeRow(row, {{column, v}}); }

void Dataset::storeRow(int row, const QVector<QPair<QString, QVariant>>& values) {
    if (row < 0 || row >= visible_.size()) return;
    if (table_.isEmpty()) throw Error(0, "The dataset has no table to store into", sql_);
    const int keyCol = data_.indexOf(key_);
    if (keyCol < 0) throw Error(1054, QString("Unknown key column '%1'").arg(key_), sql_);
    QStringList sets;
    QVector<QPair<int, QVariant>> converted;
    for (const auto& [column, v] : values) {
        const int c = data_.indexOf(column);
        if (c < 0) throw Error(1054, QString("Unknown column '%1' in dataset").arg(column), sql_);
        QVariant value = v;
        const FieldKind kind = data_.fields[c].kind;
        if ((kind == FieldKind::Decimal || kind == FieldKind::Integer) && !v.isNull()) {
            // A text goes through the same reading as a typed number; one that is no number must
            // not be stored as a silent 0.
            bool ok = false;
            QVariant n = v;
            if (v.typeId() == QMetaType::QString) {
                const auto parsed = core::parseNumber(v.toString());
                ok = parsed.has_value();
                if (ok) n = *parsed;
            } else {
                n.toDouble(&ok);
            }
            if (!ok) throw ConversionError(data_.fields[c].name, v.toString());
            value = kind == FieldKind::Decimal ? QVariant(n.toDouble()) : QVariant(n.toLongLong());
        }
        sets << data_.fields[c].name + " = " + literal(data_.fields[c], value);
        converted.push_back({c, value});
    }
    Row& r = data_.rows[visible_[row]];
    conn_->exec(QString("update %1 set %2 where %3 = %4")
                    .arg(table_, sets.join(", "), key_, literal(data_.fields[keyCol], r[keyCol])));
    for (const auto& [c, value] : converted) r[c] = value;
}

} // namespace db
