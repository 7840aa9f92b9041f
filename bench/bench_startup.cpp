// The data module's start-up: connect, concurrency test, jidelny, canteens, the fourteen column
// upgrade checks, the working table, dnorm and the shared datasets. Creating the database itself
// is not counted.
#include "benchsupport.h"

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

        print("first start on a new installation database (creates jidelny and dnorm)",
              measure(runs, start,
                      [&] {
                          st.reset();
                          db.reset();
                          db = std::make_unique<TestDatabase>();
                          newSession();
                      }),
              200);

        // The everyday case: two canteens, every table in place, the workstation starting again.
        db->exec("insert into jidelny (nazev, oznac) values ('Školní jídelna', 'A'), ('Výdejna', 'B')");
        print("later start (two canteens, everything in place)",
              measure(runs, start, newSession), 200);
        st.reset();
        db.reset();
    });
}
