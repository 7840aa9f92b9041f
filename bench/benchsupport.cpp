#include "core/environment.h"
#include "benchsupport.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QLocale>
#include <algorithm>
#include <cstdio>
#include <numeric>

namespace bench {

Figures summarize(std::vector<double> ms) {
    Figures f;
    f.runs = int(ms.size());
    if (ms.empty()) return f;
    std::sort(ms.begin(), ms.end());
    const size_t n = ms.size();
    f.median = n % 2 ? ms[n / 2] : (ms[n / 2 - 1] + ms[n / 2]) / 2;
    f.min = ms.front();
    f.max = ms.back();
    f.mean = std::accumulate(ms.begin(), ms.end(), 0.0) / double(n);
    return f;
}

Figures measure(int runs, const std::function<void()>& timed, const std::function<void()>& prepare) {
    std::vector<double> ms;
    ms.reserve(size_t(std::max(runs, 0)));
    for (int i = 0; i < runs; ++i) {
        if (prepare) prepare();
        QElapsedTimer t;
        t.start();
        timed();
        ms.push_back(double(t.nsecsElapsed()) / 1e6);
    }
    return summarize(std::move(ms));
}

void note(const QString& text) {
    std::printf("%s\n", text.toUtf8().constData());
    std::fflush(stdout);
}

void print(const QString& what, const Figures& f, double targetMs) {
    QString line = QString("%1: median %2 ms (min %3, max %4, mean %5; %6 runs)")
                       .arg(what)
                       .arg(f.median, 0, 'f', 1)
                       .arg(f.min, 0, 'f', 1)
                       .arg(f.max, 0, 'f', 1)
                       .arg(f.mean, 0, 'f', 1)
                       .arg(f.runs);
    if (targetMs > 0)
        line += QString("; target < %1 ms: %2").arg(targetMs).arg(f.median < targetMs ? "met" : "MISSED");
    note(line);
}

void bulkInsert(db::Connection& c, const QString& table, const QStringList& columns, int count,
                const std::function<QStringList(int)>& values, int batch) {
    const QString head = "insert into " + table + " (" + columns.join(", ") + ") values ";
    QStringList rows;
    for (int i = 0; i < count; ++i) {
        rows << '(' + values(i).join(", ") + ')';
        if (rows.size() >= batch || i == count - 1) {
            c.exec(head + rows.join(",\n"));
            rows.clear();
        }
    }
}

int runsFromArguments(int argc, char** argv, int def) {
    for (int i = 1; i + 1 < argc; ++i)
        if (QByteArray(argv[i]) == "--runs") return std::max(1, QByteArray(argv[i + 1]).toInt());
    if (qEnvironmentVariableIsSet("TALIRKA_BENCH_RUNS")) return std::max(1, qEnvironmentVariableIntValue("TALIRKA_BENCH_RUNS"));
    return def;
}

int main(int argc, char** argv, const std::function<void(int runs)>& body, int defaultRuns) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    core::fixLocalTimeZone();
    QApplication app(argc, argv);
    QLocale::setDefault(QLocale(QLocale::Czech, QLocale::CzechRepublic));
    try {
        body(runsFromArguments(argc, argv, defaultRuns));
        return 0;
    } catch (const db::Error& e) {
        std::fprintf(stderr, "database error %u: %s\n  in: %s\n", e.number(), e.text().toUtf8().constData(),
                     e.statement().left(300).toUtf8().constData());
    } catch (const std::exception& e) {
        std::fprintf(stderr, "failed: %s\n", e.what());
    }
    return 1;
}

} // namespace bench
