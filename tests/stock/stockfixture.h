#pragma once

#include "db/sqltext.h"
#include "stock/receiptdocument.h"
#include "support/testdatabase.h"

#include <QDate>
#include <ostream>

// Readable failures.
inline void PrintTo(const QString& s, std::ostream* os) {
    *os << '"' << s.toStdString() << '"';
}

// Articles, cards and buffer lines for the stock tests.
namespace stock_test {

inline void addArticle(testing_support::TestDatabase& db, const QString& jkpov, const QString& nazev,
                       const QString& mj = "kg") {
    db.exec(QString("insert into cenik (jkpov, nazev, mj) values (%1, %2, %3)")
                .arg(sql::q(jkpov), sql::q(nazev), sql::q(mj)));
}

inline void addCard(testing_support::TestDatabase& db, const QString& cislokarty, double mcena, double mnoz,
                    const QString& nazev = "Mouka hladká", const QString& stredisko = "1") {
    db.exec(QString("insert into sklkarta (cislokarty, jkpov, nazev, jedn, druh, stredisko, mcena, mnoz) "
                    "values (%1, %2, %3, \"kg\", \"01\", %4, %5, %6)")
                .arg(sql::q(cislokarty), sql::q(cislokarty.left(6)), sql::q(nazev), sql::q(stredisko),
                     sql::num(mcena), sql::num(mnoz)));
}

// Flour at 15.50 with 5 in store and sugar at 22.90 with 10, one card each.
inline void addFlourAndSugar(testing_support::TestDatabase& db) {
    addArticle(db, "100001", "Mouka hladká");
    addCard(db, "10000101", 15.5, 5);
    addArticle(db, "100002", "Cukr krupice");
    addCard(db, "10000201", 22.9, 10, "Cukr krupice");
}

// The n-th receipt number of this year.
inline QString receiptNumber(int n) {
    return "20" + QDate::currentDate().toString("yy") + QString("%1").arg(n, 4, 10, QChar('0'));
}

// A case of a parameterised test carries its name: it names the test and shows in failures.
struct NamedCase {
    const char* name;
};
inline std::ostream& operator<<(std::ostream& os, const NamedCase& c) {
    return os << c.name;
}
struct CaseName {
    template <class P> std::string operator()(const ::testing::TestParamInfo<P>& info) const {
        return info.param.name;
    }
};

inline double balance(testing_support::TestDatabase& db, const QString& cislokarty) {
    return db.scalar("select mnoz from sklkarta where cislokarty = " + sql::q(cislokarty)).toDouble();
}

inline int count(testing_support::TestDatabase& db, const QString& statement) {
    return db.scalar(statement).toInt();
}

// What the stock-card browser does on "převzít": the card into the buffer's current line (a new
// line when the last one carries an article), then the quantity typed into the grid and the
// column left.
inline void takeOver(app::Session& s, stock::ReceiptDocument& doc, const QString& cislokarty) {
    auto& t3 = s.dm.table3;
    if (t3.isEmpty() || !doc.isBlank(t3.rowCount() - 1)) doc.newLine();
    t3.last();
    const auto card = s.conn().query("select * from sklkarta where cislokarty = " + sql::q(cislokarty));
    t3.storeRow(t3.recNo(), {{"JKPOV", card.text(0, "jkpov")},
                             {"CISLPOLOZ", card.text(0, "cislokarty")},
                             {"TEXT", card.text(0, "nazev")},
                             {"NAKUPCENA", card.value(0, "mcena")},
                             {"MJ", card.text(0, "jedn")}});
    doc.afterTakeOver();
}

inline void typeInto(app::Session& s, stock::ReceiptDocument& doc, int row, const QString& column,
                     double value) {
    s.dm.table3.store(row, column, value);
    doc.colExit(row, column);
}

// A line picked and its quantity typed, as a user enters it in normal mode.
inline void receiveLine(app::Session& s, stock::ReceiptDocument& doc, const QString& cislokarty,
                        double quantity) {
    takeOver(s, doc, cislokarty);
    typeInto(s, doc, s.dm.table3.recNo(), "MNOZSTVI", quantity);
}

inline void fillHeader(stock::ReceiptDocument& doc, const QString& supplier = "Pekárna Novák") {
    auto& h = doc.header();
    h.DODAVATEL = supplier;
    h.ICO = "12345678";
    h.ORGJD = "Brno";
    h.CISLDOKL = "FA-77";
    h.PROVOZOVNA = "1";
    h.PREVZAL = "Dvořáková";
    h.ROZUCTOVAL = "Malá";
}

} // namespace stock_test
