// The stock-card browser over a large store: 5,000 articles, 20,000 cards, each card with its
// opening movement and a receipt, indexed as the data maintenance indexes it. Timed: opening the
// browser (window, the three lists, positioning) and moving the price-list cursor over 1,000
// articles, each move filtering the cards and reading the movements of the first card.
#include "benchsupport.h"

#include "app/datamodul.h"
#include "cards/skarta.h"
#include "db/sqltext.h"
#include "ui/datagrid.h"

#include <QApplication>
#include <QElapsedTimer>
#include <memory>

using namespace bench;
using testing_support::StartedSession;

namespace {

constexpr int kArticles = 5000;
constexpr int kCardsPerArticle = 4;

QString jkpovOf(int i) { return QString("%1%2").arg(100 + i / 100, 3, 10, QChar('0')).arg(i % 100 + 1, 3, 10, QChar('0')); }

void fill(db::Connection& c) {
    bulkInsert(c, "cenik", {"jkpov", "nazev", "mj"}, kArticles, [](int i) {
        return QStringList{sql::q(jkpovOf(i)), sql::q(QString("Zboží %1 %2").arg(i * 7919 % kArticles).arg(i)), sql::q("kg")};
    });
    const int cards = kArticles * kCardsPerArticle;
    auto card = [](int k) { return jkpovOf(k / kCardsPerArticle) + QString("%1").arg(k % kCardsPerArticle + 1, 2, 10, QChar('0')); };
    bulkInsert(c, "sklkarta", {"cislokarty", "jkpov", "nazev", "jedn", "druh", "stredisko", "mcena", "mnoz"}, cards, [&](int k) {
        const QString j = jkpovOf(k / kCardsPerArticle);
        return QStringList{sql::q(card(k)), sql::q(j), sql::q("Zboží"), sql::q("kg"), sql::q(j.left(3)), sql::q("1"),
                           sql::num(10 + k % 37 * 0.5), sql::num(k % 5 == 0 ? 0.0 : k % 13 * 1.25)};
    });
    bulkInsert(c, "vse", {"typ", "cislo", "cislpoloz", "jkpov", "text", "datum", "mnozstvi", "celkem"}, cards * 2, [&](int m) {
        const int k = m / 2;
        const bool opening = m % 2 == 0;
        return QStringList{sql::q(opening ? "Z" : "P"), sql::q(opening ? "" : QString("2024%1").arg(k % 9999, 4, 10, QChar('0'))),
                           sql::q(card(k)), sql::q(jkpovOf(k / kCardsPerArticle)), sql::q("Zboží"), sql::date(QDate(2024, 1, 2)),
                           opening ? "0" : "5", opening ? "0" : "50"};
    });
}

// A new installation has these indexes; an older database gets them from the data maintenance.
void dropIndexes(db::Connection& c) {
    c.exec("drop index jkpovs on sklkarta");
    c.exec("drop index cislokarty on sklkarta");
    c.exec("drop index jkpovc on cenik");
    c.exec("drop index cislpoloz on vse");
}

void indexAsMaintenance(db::Connection& c) {
    c.exec("create index jkpovs on sklkarta (jkpov)");
    c.exec("create index cislokarty on sklkarta (cislokarty)");
    c.exec("create index jkpovc on cenik (jkpov)");
    c.exec("create index cislpoloz on vse (cislpoloz)");
}

} // namespace

int main(int argc, char** argv) {
    return bench::main(argc, argv, [](int runs) {
        TestDatabase db;
        fill(db.admin());
        StartedSession st(db, "BENCH", false);
        // Over TCP on loopback, as a workstation reaches its server.
        auto p = db.params();
        p.socket.clear();
        app::DataModuleStartup(st.s()).run(p);
        note(QString("%1 articles, %2 cards, %3 movements")
                 .arg(db.scalar("select count(*) from cenik"), db.scalar("select count(*) from sklkarta"),
                      db.scalar("select count(*) from vse")));

        auto moveOver = [&](cards::Tfskarta& f, int count) {
            std::vector<double> ms;
            auto* g = f.DBGrid2;
            const int rows = g->model()->rowCount();
            QElapsedTimer t;
            for (int i = 1; i <= count; ++i) {
                t.start();
                g->setCurrentIndex(g->model()->index((i * 5) % rows, 0));
                QApplication::processEvents();   // the grids repaint as the user sees them
                ms.push_back(t.nsecsElapsed() / 1e6);
            }
            return summarize(ms);
        };

        for (bool indexed : {false, true}) {
            if (indexed) indexAsMaintenance(db.admin());
            else dropIndexes(db.admin());
            const QString label = indexed ? " (indexed)" : " (no indexes)";
            std::unique_ptr<cards::Tfskarta> f;
            auto open = [&](int tag) {
                f = std::make_unique<cards::Tfskarta>(st.s());
                f->Tag = tag;
                f->najdi = true;
                f->najdi_jkpov = jkpovOf(2500);
                f->najdi_kartu = jkpovOf(2500) + "03";
                f->show();
                QApplication::processEvents();
            };
            print("open the browser from the receipt, mode 0, positioned" + label, measure(runs, [&] { open(0); }, [&] { f.reset(); }),
                  300);
            print("open the browser by name, mode 2, only non-zero cards" + label,
                  measure(runs, [&] {
                      f = std::make_unique<cards::Tfskarta>(st.s());
                      f->Tag = 2;
                      f->jen_nenulove = true;
                      f->show();
                      QApplication::processEvents();
                  }, [&] { f.reset(); }),
                  300);
            open(0);
            print("of which reading and linking the three lists, grids refilled" + label,
                  measure(runs, [&] { f->browser().FormShow(); }));
            print("of which the card query alone (all cards)" + label,
                  measure(runs, [&] { st.s().conn().query(f->browser().cardStatement()); }));
            print("of which the price-list query alone" + label,
                  measure(runs, [&] { st.s().conn().query(cards::CardBrowser::priceListStatement(0)); }));
            print("one price-list cursor move (1,000 articles)" + label, moveOver(*f, 1000), 10);
            f.reset();
        }
    }, 9);
}
