#include "db/statementtrace.h"

#include <QDateTime>
#include <QFile>

namespace db {

namespace {
QString line(const QString& statement) {
    QString s = statement;
    s.replace('\n', ' ');
    return QDateTime::currentDateTime().toString("yyyy-MM-dd hh:mm:ss.zzz") + " " + s + '\n';
}
} // namespace

void StatementTrace::record(const QString& statement) {
    if (!active_) return;
    last_.push_back(statement);
    while (last_.size() > kKept) last_.pop_front();
    if (path_.isEmpty()) return;
    QFile f(path_);
    if (f.open(QIODevice::Append)) f.write(line(statement).toUtf8());
}

QStringList StatementTrace::last() const { return QStringList(last_.begin(), last_.end()); }

bool StatementTrace::writeLast() const {
    if (path_.isEmpty()) return false;
    QFile f(path_);
    if (!f.open(QIODevice::Append)) return false;
    f.write("-- last statements\n");
    for (const auto& s : last_) f.write(line(s).toUtf8());
    return true;
}

} // namespace db
