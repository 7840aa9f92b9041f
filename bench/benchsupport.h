#pragma once

#include "support/testdatabase.h"

#include <QString>
#include <QStringList>
#include <functional>
#include <vector>

// What every benchmark program needs: a fresh database on the server scripts/bench started
// (TALIRKA_TEST_SOCKET, or TALIRKA_TEST_HOST / TALIRKA_TEST_PORT), a clock and a way to print
// figures the same way.
namespace bench {

// A database created from the installation SQL, dropped again when it goes out of scope.
using testing_support::TestDatabase;
using testing_support::TestWorkstation;

struct Figures {
    int runs = 0;
    double median = 0, min = 0, max = 0, mean = 0; // milliseconds
};

// Times `timed` `runs` times; `prepare` runs before each and is not counted.
Figures measure(int runs, const std::function<void()>& timed, const std::function<void()>& prepare = {});
Figures summarize(std::vector<double> ms);

// "{what}: median 12.3 ms (min 11.0, max 15.2, mean 12.8; 9 runs)", and with a target
// "target < 200 ms: met" or "... MISSED".
void print(const QString& what, const Figures& f, double targetMs = 0);
void note(const QString& text);

// Inserts `count` generated rows in multi-row statements of `batch` rows; `values(i)` gives the
// SQL literals of row i in the order of `columns` (use sql::q / sql::num).
void bulkInsert(db::Connection& c, const QString& table, const QStringList& columns, int count,
                const std::function<QStringList(int)>& values, int batch = 500);

// The number of runs: --runs N, else TALIRKA_BENCH_RUNS, else `def`.
int runsFromArguments(int argc, char** argv, int def);

// Sets up Qt (offscreen, Czech locale), runs the body and turns any failure into a message and
// exit status 1, so that scripts/bench sees which program failed.
int main(int argc, char** argv, const std::function<void(int runs)>& body, int defaultRuns = 9);

} // namespace bench
