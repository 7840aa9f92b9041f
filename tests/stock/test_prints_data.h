#pragma once

// Documents for the print tests: header values and lines, as the buffer or vse holds them.
#include "db/sqltext.h"
#include "reporting/qstringprint.h"

#include <QString>
#include <QVector>

namespace prints_test {

struct Line {
    QString card, article, text;
    double quantity, price, total;
    int group = 0;
};

struct Header {
    QString cislo, typ, ico, dodavatel, orgjd, cisldokl, provozovna, datum, prevzal, rozuctoval, popis, popis2;
};

inline QString insertLine(const QString& table, const Header& h, const Line& l) {
    return QString("insert into %1 (CISLO, TYP, ICO, DODAVATEL, ORGJD, CISLDOKL, PROVOZOVNA, DATUM, CISLPOLOZ, JKPOV, "
                   "TEXT, MNOZSTVI, NAKUPCENA, CELKEM, PREVZAL, ROZUCTOVAL, POPIS, POPIS2, SKUPINA, MJ) values "
                   "(%2, %3, %4, %5, %6, %7, %8, %9, %10, %11, %12, %13, %14, %15, %16, %17, %18, %19, %20, \"kg\")")
        .arg(table, sql::q(h.cislo), sql::q(h.typ), sql::q(h.ico), sql::q(h.dodavatel), sql::q(h.orgjd),
             sql::q(h.cisldokl), sql::q(h.provozovna), sql::q(h.datum))
        .arg(sql::q(l.card), sql::q(l.article), sql::q(l.text), sql::num(l.quantity), sql::num(l.price),
             sql::num(l.total), sql::q(h.prevzal), sql::q(h.rozuctoval), sql::q(h.popis))
        .arg(sql::q(h.popis2), sql::num(l.group));
}

const Header kReceipt{"20240001", "P", "12345678", "Pekárna U Mlýna", "Brno, Mlýnská 5", "F2024/77", "1",
                      "2024-03-05", "Jana Nováková", "Petr Svoboda", "", ""};
const QVector<Line> kReceiptLines{{"10100101", "101001", "Mouka hladká", 10, 12.5, 125.00},
                                  {"20300201", "203002", "Máslo", 2.5, 48.9, 122.25}};

const Header kIssue{"21240003", "V", "", "", "", "", "2", "2024-03-06", "Jana Nováková", "Petr Svoboda", "Oběd 6.3.", "1,3,7"};
const QVector<Line> kIssueLines{{"10100101", "101001", "Mouka hladká", 1.5, 12.5, 18.75, 2},
                                {"20300201", "203002", "Máslo", 0.25, 48.9, 12.23, 2},
                                {"30100101", "301001", "Mléko", 3, 19.9, 59.70, 7}};

} // namespace prints_test
