// A report of 50,000 lines from a query: the period document print over 1,250 documents, from
// running its query to the first page painted in the preview window, and the memory it takes.
#include "benchsupport.h"

#include "db/sqltext.h"
#include "reporting/document.h"
#include "reporting/dotisku.h"
#include "stock/tisdokl.h"

#include <QDate>
#include <QElapsedTimer>
#include <QFile>
#include <QImage>
#include <QScrollArea>
#include <cmath>
#include <ctime>
#include <sys/resource.h>

namespace {

constexpr int kLines = 50000;
constexpr int kPerDocument = 40;

void buildData(bench::TestDatabase& db) {
    bench::bulkInsert(db.admin(), "vse",
                      {"cislo", "typ", "ico", "dodavatel", "orgjd", "cisldokl", "provozovna", "datum", "cislpoloz",
                       "jkpov", "text", "mnozstvi", "nakupcena", "celkem", "prevzal", "rozuctoval", "popis", "skupina"},
                      kLines, [](int i) {
                          const int doc = i / kPerDocument;
                          const bool receipt = doc % 2 == 0;
                          const QString a = QString::number(100001 + i % 900);
                          const double q = 1 + i % 17 * 0.25, p = 10 + i % 37 * 0.5;
                          return QStringList{sql::q(QString("%1240%2").arg(receipt ? "20" : "21").arg(doc / 2 + 1, 3, 10, QChar('0'))),
                                             sql::q(receipt ? "P" : "V"),
                                             sql::q(receipt ? QString::number(10000000 + doc % 25) : QString()),
                                             sql::q(receipt ? QString("Dodavatel %1").arg(doc % 25) : QString()),
                                             sql::q(receipt ? "Brno" : ""), sql::q(receipt ? "F-1" : ""), sql::q("1"),
                                             sql::datetime(QDate(2024, 1, 1).addDays(doc / 4)), sql::q(a + "01"), sql::q(a),
                                             sql::q(QString("Zboží číslo %1").arg(i % 900)), sql::num(q), sql::num(p),
                                             sql::num(std::round(q * p * 100) / 100), sql::q("Nováková"), sql::q("Svoboda"),
                                             sql::q(receipt ? "" : "Obědy"), sql::num(receipt ? 0 : 1 + i % 7)};
                      });
}

long currentRssKb() {
    QFile f("/proc/self/status");
    if (!f.open(QIODevice::ReadOnly)) return -1;
    for (const QByteArray& line : f.readAll().split('\n'))
        if (line.startsWith("VmRSS:")) return line.mid(6).trimmed().split(' ').value(0).toLong();
    return -1;
}

long peakRssKb() {
    rusage u{};
    getrusage(RUSAGE_SELF, &u);
    return u.ru_maxrss;
}

// This process's own processor time, ms: on a busy machine the wall clock also counts the waits.
double cpuMs() {
    timespec t{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
    return t.tv_sec * 1e3 + t.tv_nsec / 1e6;
}

struct Split {
    double query = 0, layout = 0, shown = 0;
    double cpuQuery = 0, cpuTotal = 0;
    int pages = 0;
};

// Query, layout, the preview shown and its first page painted.
Split openReport(app::Session& s) {
    Split t;
    QElapsedTimer clock;
    clock.start();
    const double cpu0 = cpuMs();
    reporting::ResultSetSource rows(s.conn().query(
        "select *\nfrom vse where\ndatum >= \"2024-01-01 00:00:00\" and datum <= \"2024-12-31 00:00:00\"\n"
        "and (typ = \"P\"or typ = \"V\")\norder by dodavatel, datum, cislo"));
    t.query = clock.nsecsElapsed() / 1e6;
    t.cpuQuery = cpuMs() - cpu0;
    stock::TFormtisd print;
    print.Tag = 1;
    auto doc = print.run(rows);
    t.layout = clock.nsecsElapsed() / 1e6;
    t.pages = doc->pageCount();
    ui::ScriptedPrompter prompter;
    reporting::TPrevForm form(doc, prompter);
    form.show();
    // grab() paints the page view the way the screen does.
    const QImage first = form.findChild<QScrollArea*>("QRPreview1")->widget()->grab().toImage();
    if (first.isNull()) throw std::runtime_error("the first page was not painted");
    t.shown = clock.nsecsElapsed() / 1e6;
    t.cpuTotal = cpuMs() - cpu0;
    return t;
}

} // namespace

int main(int argc, char** argv) {
    return bench::main(
        argc, argv,
        [](int runs) {
            bench::TestDatabase db;
            buildData(db);
            testing_support::StartedSession st(db, "BENCH");
            const long before = currentRssKb();
            const long peakBefore = peakRssKb();
            std::vector<double> query, layout, total, cpuQuery, cpuTotal;
            int pages = 0;
            for (int i = 0; i < runs; ++i) {
                const Split t = openReport(st.s());
                query.push_back(t.query);
                layout.push_back(t.layout - t.query);
                total.push_back(t.shown);
                cpuQuery.push_back(t.cpuQuery);
                cpuTotal.push_back(t.cpuTotal);
                pages = t.pages;
            }
            bench::note(QString("%1 lines, %2 documents, %3 pages").arg(kLines).arg(kLines / kPerDocument).arg(pages));
            bench::print("query (fetch of 50,000 rows)", bench::summarize(query));
            bench::print("layout of all pages", bench::summarize(layout));
            bench::print("query to first page painted in the preview", bench::summarize(total), 1000);
            bench::print("  of it this program's processor time, query", bench::summarize(cpuQuery));
            bench::print("  of it this program's processor time, all", bench::summarize(cpuTotal));
            const long peak = peakRssKb();
            bench::note(QString("memory: %1 MB resident before, peak %2 MB (peak before the report %3 MB); "
                                "target peak < 300 MB: %4")
                            .arg(before / 1024.0, 0, 'f', 1)
                            .arg(peak / 1024.0, 0, 'f', 1)
                            .arg(peakBefore / 1024.0, 0, 'f', 1)
                            .arg(peak < 300 * 1024 ? "met" : "MISSED"));
        },
        5);
}
