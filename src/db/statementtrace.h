#pragma once

#include <QString>
#include <QStringList>
#include <deque>

namespace db {

// Every statement the connection runs, appended to a file as it runs ("monitor.sql"), the last
// 100 also kept in memory for the diagnostic record.
class StatementTrace {
public:
    static constexpr int kKept = 100;

    void setFile(const QString& path) { path_ = path; }
    const QString& file() const { return path_; }
    bool active() const { return active_; }
    void setActive(bool on) { active_ = on; }

    void record(const QString& statement);
    QStringList last() const;               // oldest first
    // Appends the kept statements to the trace file once more, so that a copy of the file ends
    // with them even when an earlier write was lost.
    bool writeLast() const;

private:
    QString path_;
    bool active_ = true;
    std::deque<QString> last_;
};

} // namespace db
