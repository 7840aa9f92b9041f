#pragma once

#include "support/testdatabase.h"

#include "cards/skarta.h"
#include "ui/datagrid.h"

#include <QApplication>
#include <QHeaderView>
#include <QTest>
#include <QTimer>
#include <functional>

// A small store: four articles whose name order differs from their number order, cards with
// different prices and balances, and movements on one card.
class BrowserTest : public testing_support::DbTest {
protected:
    void SetUp() override {
        DbTest::SetUp();
        db->exec("insert into cenik (jkpov, nazev, mj) values (\"100001\", \"Mouka hladká\", \"kg\"), "
                 "(\"100002\", \"Cukr krystal\", \"kg\"), (\"200001\", \"Banány\", \"kg\"), (\"200002\", \"Akát med\", \"sklenice\")");
        db->exec("insert into sklkarta (cislokarty, jkpov, nazev, jedn, druh, stredisko, mcena, mnoz) values "
                 "(\"10000101\", \"100001\", \"Mouka hladká\", \"kg\", \"100\", \"1\", 10, 5), "
                 "(\"10000102\", \"100001\", \"Mouka hladká\", \"kg\", \"100\", \"1\", 30, 0), "
                 "(\"10000103\", \"100001\", \"Mouka hladká\", \"kg\", \"100\", \"1\", 20, 5), "
                 "(\"10000104\", \"100001\", \"Mouka hladká\", \"kg\", \"100\", \"2\", 15, 8), "
                 "(\"10000201\", \"100002\", \"Cukr krystal\", \"kg\", \"100\", \"1\", 22.5, 0), "
                 "(\"20000101\", \"200001\", \"Banány\", \"kg\", \"200\", \"1\", 31.9, 12.5)");
        db->exec("insert into vse (typ, cislo, cislpoloz, jkpov, text, datum, mnozstvi, celkem) values "
                 "(\"Z\", \"\", \"10000104\", \"100001\", \"Mouka hladká\", \"2024-01-02\", 0, 0), "
                 "(\"P\", \"20240001\", \"10000104\", \"100001\", \"Mouka hladká\", \"2024-01-03\", 10, 150), "
                 "(\"V\", \"21240001\", \"10000104\", \"100001\", \"Mouka hladká\", \"2024-01-04\", 2, 30), "
                 "(\"Z\", \"\", \"10000101\", \"100001\", \"Mouka hladká\", \"2024-01-02\", 0, 0)");
    }

    std::unique_ptr<cards::Tfskarta> open(int tag, const std::function<void(cards::Tfskarta&)>& setup = {}) {
        auto f = std::make_unique<cards::Tfskarta>(session());
        f->Tag = tag;
        if (setup) setup(*f);
        f->show();
        return f;
    }

    // The texts of one column as the grid shows them, top to bottom.
    static QStringList column(ui::DataGrid* g, const QString& field) {
        QStringList out;
        const int c = g->columnOf(field);
        for (int r = 0; r < g->model()->rowCount(); ++r) out << g->model()->index(r, c).data().toString();
        return out;
    }
    static QString current(ui::DataGrid* g, const QString& field) {
        const auto idx = g->currentIndex();
        return idx.isValid() ? g->model()->index(idx.row(), g->columnOf(field)).data().toString() : QString();
    }
    static int rowOf(ui::DataGrid* g, const QString& field, const QString& value) {
        return int(column(g, field).indexOf(value));
    }
    static void clickRow(ui::DataGrid* g, int row) {
        const QRect r = g->visualRect(g->model()->index(row, 0));
        QTest::mouseClick(g->viewport(), Qt::LeftButton, {}, r.center());
    }
    static void doubleClickRow(ui::DataGrid* g, int row) {
        g->scrollTo(g->model()->index(row, 0));
        const QRect r = g->visualRect(g->model()->index(row, 0));
        // A real double-click starts with a press; the view only reports it on the pressed row.
        QTest::mouseClick(g->viewport(), Qt::LeftButton, {}, r.center());
        QTest::mouseDClick(g->viewport(), Qt::LeftButton, {}, r.center());
    }
    static void clickTitle(ui::DataGrid* g, const QString& field) {
        auto* h = g->horizontalHeader();
        const int section = g->columnOf(field);
        const QPoint p(h->sectionViewportPosition(section) + h->sectionSize(section) / 2, h->height() / 2);
        QTest::mouseClick(h->viewport(), Qt::LeftButton, {}, p);
    }

    // Runs `act` on the next modal window of type T once it is shown; closes it if `act` did not,
    // so that a failing test cannot hang in exec().
    template <class T>
    static void whenModal(std::function<void(T&)> act, bool* seen = nullptr) {
        QTimer::singleShot(0, [act, seen] {
            QWidget* w = QApplication::activeModalWidget();
            auto* d = qobject_cast<T*>(w);
            if (seen) *seen = d != nullptr;
            if (d) act(*d);
            if (auto* dlg = qobject_cast<QDialog*>(w); dlg && dlg->isVisible()) dlg->reject();
        });
    }

    QString buffer(const QString& sql) { return db->scalar(sql.arg(session().dm.pracTabulka)); }
};
