// Saving a receipt of 200 lines: a new one and a reopened one, over a movement table that already
// holds some years of documents.
#include "benchsupport.h"

#include "db/sqltext.h"
#include "stock/receiptdocument.h"

#include <QDate>

namespace {

constexpr int kLines = 200;
constexpr int kHistory = 100000; // movement rows stored before

void buildData(bench::TestDatabase& db) {
    auto& c = db.admin();
    bench::bulkInsert(c, "cenik", {"jkpov", "nazev", "mj"}, kLines, [](int i) {
        return QStringList{sql::q(QString("%1").arg(100001 + i)), sql::q(QString("Zboží %1").arg(i)),
                           sql::q("kg")};
    });
    bench::bulkInsert(c, "sklkarta", {"cislokarty", "jkpov", "nazev", "jedn", "stredisko", "mcena", "mnoz"},
                      kLines, [](int i) {
                          const QString a = QString::number(100001 + i);
                          return QStringList{
                              sql::q(a + "01"), sql::q(a),   sql::q(QString("Zboží %1").arg(i)),
                              sql::q("kg"),     sql::q("1"), sql::num(10 + i % 37 * 0.25),
                              sql::num(50)};
                      });
    // Older receipts and issues: 40 lines a document over five years.
    bench::bulkInsert(
        c, "vse", {"cislo", "typ", "datum", "cislpoloz", "jkpov", "text", "mnozstvi", "nakupcena", "celkem"},
        kHistory, [](int i) {
            const int doc = i / 40;
            const int year = 2019 + doc % 5;
            const bool receipt = doc % 3 == 0;
            const QString a = QString::number(100001 + i % kLines);
            return QStringList{sql::q(QString("%1%2%3")
                                          .arg(receipt ? "20" : "21")
                                          .arg(year % 100)
                                          .arg(doc / 5 + 1, 4, 10, QChar('0'))),
                               sql::q(receipt ? "P" : "V"),
                               sql::datetime(QDate(year, 1 + doc % 12, 1 + doc % 28)),
                               sql::q(a + "01"),
                               sql::q(a),
                               sql::q("Zboží"),
                               "1",
                               "10",
                               "10"};
        });
}

// The lines as the browser's take-over and the typed quantities leave them in the buffer.
void fillBuffer(app::Session& s) {
    auto& c = s.conn();
    c.exec("delete from " + s.dm.pracTabulka);
    bench::bulkInsert(c, s.dm.pracTabulka, {"jkpov", "cislpoloz", "text", "mj", "nakupcena", "mnozstvi"},
                      kLines, [](int i) {
                          const QString a = QString::number(100001 + i);
                          return QStringList{sql::q(a),
                                             sql::q(a + "01"),
                                             sql::q(QString("Zboží %1").arg(i)),
                                             sql::q("kg"),
                                             sql::num(10 + i % 37 * 0.25),
                                             sql::num(1 + i % 5)};
                      });
    s.dm.table3.refresh();
}

} // namespace

int main(int argc, char** argv) {
    return bench::main(argc, argv, [](int runs) {
        bench::TestDatabase db;
        buildData(db);
        testing_support::StartedSession st(db, "BENCH");
        stock::ReceiptDocument doc(st.s());
        doc.FormShow();
        doc.header().DODAVATEL = "Pekárna Novák";
        doc.header().PROVOZOVNA = "1";
        bench::note(QString("receipt of %1 lines, %2 movement rows stored before").arg(kLines).arg(kHistory));

        QString lastNumber;
        const auto fresh = bench::measure(
            runs,
            [&] {
                lastNumber = doc.header().CISLO;
                if (!doc.save()) throw std::runtime_error("the receipt was not saved");
            },
            [&] {
                doc.header().DODAVATEL = "Pekárna Novák";
                fillBuffer(st.s());
            });
        bench::print("save a new receipt", fresh, 300);

        const auto reopened = bench::measure(
            runs,
            [&] {
                if (!doc.save()) throw std::runtime_error("the receipt was not saved");
            },
            [&] {
                doc.oprava([&](const QString&) { return std::optional<QString>(lastNumber); });
                if (doc.lineCount() != kLines)
                    throw std::runtime_error("reopened receipt has the wrong lines");
                st.s().dm.table3.store(0, "MNOZSTVI", 7.0);
            });
        bench::print("save a reopened receipt (replaces its stored version)", reopened, 300);
        bench::note(QString("balance of the first card after all runs: %1")
                        .arg(db.scalar("select mnoz from sklkarta where cislokarty = \"10000101\"")));
    });
}
