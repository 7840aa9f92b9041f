// The data module's start-up: connect, concurrency test, jidelny, canteens, the fourteen column
// upgrade checks, the working table, dnorm and the shared datasets. Creating the database itself
// is not counted.
#include "benchsupport.h"

#include <QDateTime>
#include <QFile>
#include <algorithm>
#include <memory>

using namespace bench;
using testing_support::StartedSession;

int main(int argc, char** argv) {
    return bench::main(argc, argv, [](int runs) {
        std::unique_ptr<StartedSession> st;
        std::unique_ptr<TestDatabase> db;
        auto newSession = [&] { st = std::make_unique<StartedSession>(*db, "PC ŠKOLA-1", false); };
        // Over TCP on loopback, as a workstation reaches its server, not through the local socket.
        auto start = [&] {
            auto p = db->params();
            p.socket.clear();
            app::DataModuleStartup(st->s()).run(p);
        };

        // Where the slowest first start spent its time: each traced statement until the next one.
        QList<QPair<qint64, QString>> worst;
        qint64 worstTotal = -1;
        auto keepWorst = [&] {
            if (!st) return;
            QFile f(st->s().env.inProgramDir("monitor.sql"));
            if (!f.open(QIODevice::ReadOnly)) return;
            QList<QPair<qint64, QString>> spans;
            QDateTime first, prev;
            QString prevText;
            for (const QString& line : QString::fromUtf8(f.readAll()).split('\n', Qt::SkipEmptyParts)) {
                const QDateTime at = QDateTime::fromString(line.left(23), "yyyy-MM-dd hh:mm:ss.zzz");
                if (prev.isValid()) spans.push_back({prev.msecsTo(at), prevText});
                else first = at;
                prev = at;
                prevText = line.mid(24).left(70);
            }
            if (first.msecsTo(prev) <= worstTotal) return;
            worstTotal = first.msecsTo(prev);
            std::sort(spans.begin(), spans.end(), [](const auto& x, const auto& y) { return x.first > y.first; });
            worst = spans.mid(0, 5);
        };

        print("first start on a new installation database (creates jidelny and dnorm)",
              measure(runs, start,
                      [&] {
                          keepWorst();
                          st.reset();
                          db.reset();
                          db = std::make_unique<TestDatabase>();
                          newSession();
                      }),
              200);
        keepWorst();
        note(QString("  slowest first start, traced statements to its last one: %1 ms; longest:").arg(worstTotal));
        for (const auto& [ms, text] : worst) note(QString("    %1 ms  %2").arg(ms, 4).arg(text));

        // The everyday case: two canteens, every table in place, the workstation starting again.
        db->exec("insert into jidelny (nazev, oznac) values ('Školní jídelna', 'A'), ('Výdejna', 'B')");
        print("later start (two canteens, everything in place)",
              measure(runs, start, newSession), 200);
        st.reset();
        db.reset();
    });
}
