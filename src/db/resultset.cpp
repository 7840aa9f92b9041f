#include "db/resultset.h"

#include "db/error.h"

namespace db {

int ResultSet::indexOf(const QString& column) const {
    for (int i = 0; i < fields.size(); ++i)
        if (fields[i].name.compare(column, Qt::CaseInsensitive) == 0) return i;
    return -1;
}

QVariant ResultSet::value(int row, const QString& column) const {
    const int c = indexOf(column);
    if (c < 0) throw Error(1054, QString("Unknown column '%1' in result").arg(column));
    if (row < 0 || row >= rows.size()) return {};
    return rows[row][c];
}

QStringList ResultSet::columnNames() const {
    QStringList out;
    for (const auto& f : fields) out << f.name;
    return out;
}

} // namespace db
