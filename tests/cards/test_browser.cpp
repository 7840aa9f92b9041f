#include "browserfixture.h"

#include "cards/cardprints.h"
#include "cards/register.h"
#include "cards/yalskarta.h"
#include "cards/zalzbozi.h"
#include "app/commands.h"
#include "ui/searchdialog.h"

#include <QAction>
#include <QComboBox>
#include <QFile>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QToolButton>

namespace {

struct ModeCase {
    int tag;
    QString cardTail;
    QString firstArticle;   // price-list order
    bool editButtons;       // "nové zboží", "nová karta", "převzít"
    bool takeOverIsDefault;
};
void PrintTo(const ModeCase& c, std::ostream* os) { *os << "Tag " << c.tag; }

class BrowserModes : public BrowserTest, public ::testing::WithParamInterface<ModeCase> {};

TEST_P(BrowserModes, OrdersAndButtonsFollowTheMode) {
    const auto& m = GetParam();
    auto f = open(m.tag);
    EXPECT_EQ(f->windowTitle(), "Práce se skl.kartami");
    EXPECT_EQ(f->browser().sqlkarta.statement(), "select * from sklkarta order by\nmnoz\n" + m.cardTail);
    EXPECT_EQ(column(f->DBGrid2, "JKPOV").value(0), m.firstArticle);
    EXPECT_EQ(f->Button2->isVisible(), m.editButtons);
    EXPECT_EQ(f->Button3->isVisible(), m.editButtons);
    EXPECT_EQ(f->Button4->isVisible(), m.editButtons);
    EXPECT_EQ(f->Button4->isDefault(), m.takeOverIsDefault);
    EXPECT_TRUE(f->Button1->isVisible());
    EXPECT_TRUE(f->Button5->isVisible());
    EXPECT_TRUE(f->Button6->isVisible());

    // The article's cards by balance from the highest; the cursor on the first.
    ASSERT_TRUE(f->browser().moveTo("100001"));
    EXPECT_EQ(column(f->DBGrid1, "CISLOKARTY"), (QStringList{"10000104", "10000101", "10000103", "10000102"}));
    EXPECT_EQ(current(f->DBGrid1, "CISLOKARTY"), "10000104");
    EXPECT_EQ(column(f->DBGrid3, "TYP"), (QStringList{"Z", "P", "V"}));
}

INSTANTIATE_TEST_SUITE_P(Modes, BrowserModes,
                         ::testing::Values(ModeCase{0, "desc, jkpov, cislokarty", "100001", true, false},
                                           ModeCase{1, "desc, cislokarty, nazev", "200002", true, false},
                                           ModeCase{2, "desc, cislokarty", "200002", true, false},
                                           ModeCase{11, "desc, jkpov, cislokarty", "100001", true, true},
                                           ModeCase{12, "desc, cislokarty", "200002", true, true},
                                           ModeCase{100, "desc, cislokarty, nazev", "200002", false, false}),
                         [](const auto& info) { return "Tag" + std::to_string(info.param.tag); });

TEST_F(BrowserTest, GridsShowTheirColumnsFormatsAndBoldBalance) {
    auto f = open(0);
    auto titles = [](ui::DataGrid* g) {
        QStringList t;
        for (int c = 0; c < g->model()->columnCount(); ++c) t << g->model()->headerData(c, Qt::Horizontal).toString();
        return t;
    };
    EXPECT_EQ(titles(f->DBGrid2), (QStringList{"JKPOV", "Název", "MJ"}));
    EXPECT_EQ(titles(f->DBGrid1), (QStringList{"Číslo karty", "Středisko", "Název", "Druh", "Mn. cena", "Zůstatek", "MJ"}));
    EXPECT_EQ(titles(f->DBGrid3), (QStringList{"Doklad", "Typ", "Doklad dod.", "Datum", "Množství", "Celkem"}));
    EXPECT_EQ(column(f->DBGrid1, "MCENA").value(0), "15,00");
    EXPECT_EQ(column(f->DBGrid1, "MNOZ").value(0), "8,0000");
    EXPECT_EQ(column(f->DBGrid3, "CELKEM").value(1), "150,00");
    EXPECT_EQ(column(f->DBGrid3, "DATUM").value(1), "03.01.2024");
    const auto idx = f->DBGrid1->model()->index(0, f->DBGrid1->columnOf("MNOZ"));
    QStyleOptionViewItem base;
    base.initFrom(f->DBGrid1);
    EXPECT_TRUE(f->DBGrid1->gridDelegate()->optionFor(base, idx).font.bold());
    EXPECT_FALSE(f->DBGrid1->gridDelegate()->optionFor(base, idx.siblingAtColumn(0)).font.bold());
    for (auto* g : {f->DBGrid1, f->DBGrid2, f->DBGrid3}) {
        EXPECT_EQ(g->editTriggers(), QAbstractItemView::NoEditTriggers);
        EXPECT_EQ(g->selectionBehavior(), QAbstractItemView::SelectRows);
    }
}

TEST_F(BrowserTest, MovingThePriceListFiltersTheCardsAndTheCardsTheMovements) {
    auto f = open(0);
    clickRow(f->DBGrid2, rowOf(f->DBGrid2, "JKPOV", "200001"));
    EXPECT_EQ(f->browser().currentJkpov(), "200001");
    EXPECT_EQ(column(f->DBGrid1, "CISLOKARTY"), QStringList{"20000101"});
    EXPECT_EQ(f->DBGrid3->model()->rowCount(), 0);

    clickRow(f->DBGrid2, rowOf(f->DBGrid2, "JKPOV", "100001"));
    EXPECT_EQ(column(f->DBGrid1, "CISLOKARTY").size(), 4);
    clickRow(f->DBGrid1, rowOf(f->DBGrid1, "CISLOKARTY", "10000101"));
    EXPECT_EQ(f->browser().currentCard(), "10000101");
    EXPECT_EQ(column(f->DBGrid3, "TYP"), QStringList{"Z"});

    // An article without cards shows none.
    clickRow(f->DBGrid2, rowOf(f->DBGrid2, "JKPOV", "200002"));
    EXPECT_EQ(f->DBGrid1->model()->rowCount(), 0);
    EXPECT_EQ(f->DBGrid3->model()->rowCount(), 0);
}

TEST_F(BrowserTest, ZeroBalancesAreHiddenOnlyWhenAsked) {
    auto fromIssue = open(2, [](cards::Tfskarta& f) {
        f.jen_nenulove = true;
        f.najdi = true;
        f.najdi_jkpov = "100001";
    });
    EXPECT_EQ(column(fromIssue->DBGrid1, "CISLOKARTY"), (QStringList{"10000104", "10000101", "10000103"}));
    fromIssue->browser().moveTo("100002");
    EXPECT_EQ(fromIssue->DBGrid1->model()->rowCount(), 0);

    auto fromReceipt = open(2, [](cards::Tfskarta& f) {
        f.najdi = true;
        f.najdi_jkpov = "100001";
    });
    EXPECT_EQ(column(fromReceipt->DBGrid1, "CISLOKARTY"), (QStringList{"10000104", "10000101", "10000103", "10000102"}));
}

TEST_F(BrowserTest, PositioningOnTheCallersLine) {
    const struct {
        QString jkpov, card, wantArticle, wantCard;
    } cases[] = {
        {"100001", "10000103", "100001", "10000103"},
        {"200001", "", "200001", "20000101"},
        {"100001", "99999999", "100001", "10000104"},   // an unknown card leaves the first card
        {"999999", "", "200002", ""},                   // an unknown article leaves the first article
        {"", "", "200002", ""},                         // a line without an article: the first article
    };
    for (const auto& c : cases) {
        auto f = open(1, [&](cards::Tfskarta& f) {
            f.najdi = true;
            f.najdi_jkpov = c.jkpov;
            f.najdi_kartu = c.card;
        });
        EXPECT_EQ(current(f->DBGrid2, "JKPOV"), c.wantArticle) << c.jkpov.toStdString();
        EXPECT_EQ(current(f->DBGrid1, "CISLOKARTY"), c.wantCard) << c.jkpov.toStdString();
        EXPECT_FALSE(f->najdi);
        if (c.wantCard == "10000103") EXPECT_TRUE(column(f->DBGrid3, "TYP").isEmpty());
    }
}

TEST_F(BrowserTest, TitleClickSortsTheCardsByPriceAndBackByBalance) {
    auto f = open(0, [](cards::Tfskarta& f) {
        f.najdi = true;
        f.najdi_jkpov = "100001";
    });
    EXPECT_EQ(f->DBGrid1->clickableTitles(), (QStringList{"MCENA", "MNOZ"}));
    clickTitle(f->DBGrid1, "MCENA");
    EXPECT_EQ(column(f->DBGrid1, "MCENA"), (QStringList{"30,00", "20,00", "15,00", "10,00"}));
    EXPECT_EQ(f->browser().sqlkarta.statement(), "select * from sklkarta order by\nmcena\ndesc, jkpov, cislokarty");
    clickTitle(f->DBGrid1, "MNOZ");
    EXPECT_EQ(column(f->DBGrid1, "CISLOKARTY"), (QStringList{"10000104", "10000101", "10000103", "10000102"}));
    // Other titles do nothing.
    clickTitle(f->DBGrid1, "NAZEV");
    EXPECT_EQ(column(f->DBGrid1, "CISLOKARTY"), (QStringList{"10000104", "10000101", "10000103", "10000102"}));
}

TEST_F(BrowserTest, TakeOverIntoAnEmptyDocumentBufferAppendsALine) {
    auto f = open(0, [](cards::Tfskarta& f) {
        f.najdi = true;
        f.najdi_jkpov = "100001";
        f.najdi_kartu = "10000103";
    });
    f->Button4->click();
    EXPECT_EQ(f->Tag, -1);
    EXPECT_EQ(f->result(), QDialog::Accepted);
    EXPECT_FALSE(f->isVisible());
    const auto rows = db->admin().query("select * from " + session().dm.pracTabulka);
    ASSERT_EQ(rows.rowCount(), 1);
    EXPECT_EQ(rows.text(0, "JKPOV"), "100001");
    EXPECT_EQ(rows.text(0, "CISLPOLOZ"), "10000103");
    EXPECT_EQ(rows.text(0, "TEXT"), "Mouka hladká");
    EXPECT_DOUBLE_EQ(rows.number(0, "NAKUPCENA"), 20.0);
    EXPECT_EQ(rows.text(0, "MJ"), "kg");
    // The shared buffer dataset stands on that line for the document window.
    EXPECT_EQ(session().dm.table3.text("CISLPOLOZ"), "10000103");
}

class PairRecorder : public cards::CardPairReceiver {
public:
    void rememberCardPair(const QString& newCard, const QString& oldCard) override { pairs << newCard + "<" + oldCard; }
    QStringList pairs;
};

TEST_F(BrowserTest, TakeOverFillsTheCurrentLineAndTellsTheIssueWindowTheCardPair) {
    const QString t = session().dm.pracTabulka;
    db->exec("insert into " + t + " (JKPOV, CISLPOLOZ, TEXT, MNOZSTVI, NAKUPCENA, MJ) values "
             "(\"200001\", \"20000101\", \"Banány\", 3, 31.9, \"kg\"), (\"100001\", \"10000101\", \"Mouka hladká\", 4, 10, \"kg\")");
    auto& t3 = session().dm.table3;
    t3.refresh();
    t3.last();
    PairRecorder issue;
    auto f = open(2, [&](cards::Tfskarta& f) {
        f.cardPair = &issue;
        f.jen_nenulove = true;
        f.najdi = true;
        f.najdi_jkpov = "100001";
        f.najdi_kartu = "10000101";
    });
    // A double-click on a card takes it over like "převzít".
    doubleClickRow(f->DBGrid1, rowOf(f->DBGrid1, "CISLOKARTY", "10000104"));
    EXPECT_EQ(f->Tag, -1);
    EXPECT_EQ(issue.pairs, QStringList{"10000104<10000101"});
    const auto rows = db->admin().query("select * from " + t + " order by id");
    ASSERT_EQ(rows.rowCount(), 2);
    EXPECT_EQ(rows.text(0, "CISLPOLOZ"), "20000101");
    EXPECT_EQ(rows.text(1, "CISLPOLOZ"), "10000104");
    EXPECT_DOUBLE_EQ(rows.number(1, "NAKUPCENA"), 15.0);
    EXPECT_DOUBLE_EQ(rows.number(1, "MNOZSTVI"), 4.0);   // the quantity is the document's
}

TEST_F(BrowserTest, TakeOverIntoAClosedBufferOpensItAndAppends) {
    const QString t = session().dm.pracTabulka;
    db->exec("insert into " + t + " (JKPOV, CISLPOLOZ, TEXT, MJ) values (\"200001\", \"20000101\", \"Banány\", \"kg\")");
    session().dm.table3.close();
    auto f = open(1, [](cards::Tfskarta& f) {
        f.najdi = true;
        f.najdi_jkpov = "200001";
    });
    f->Button4->click();
    EXPECT_EQ(buffer("select count(*) from %1").toInt(), 2);
    EXPECT_EQ(buffer("select count(*) from %1 where CISLPOLOZ = \"20000101\"").toInt(), 2);
    EXPECT_TRUE(session().dm.table3.isOpen());
    EXPECT_EQ(session().dm.table3.rowCount(), 2);
}

TEST_F(BrowserTest, NothingToTakeOverIsSaidAndNothingIsWritten) {
    const struct {
        int tag;
        bool nonZero;
        QString jkpov;
        QString message;
    } cases[] = {
        {0, false, "200002",
         "Zboží 200002 Akát med nemá žádnou skladovou kartu.\nDo dokladu nebylo nic převzato, kartu lze založit "
         "tlačítkem \"nová karta\"."},
        {2, true, "100002",
         "Zboží 100002 Cukr krystal nemá žádnou skladovou kartu s nenulovým zůstatkem.\nDo dokladu nebylo nic převzato."},
    };
    for (const auto& c : cases) {
        prompter().clear();
        auto f = open(c.tag, [&](cards::Tfskarta& f) {
            f.jen_nenulove = c.nonZero;
            f.najdi = true;
            f.najdi_jkpov = c.jkpov;
        });
        ASSERT_EQ(current(f->DBGrid2, "JKPOV"), c.jkpov);
        f->Button4->click();
        EXPECT_EQ(prompter().texts(), QStringList{c.message});
        EXPECT_EQ(f->Tag, c.tag);
        EXPECT_TRUE(f->isVisible());
    }
    EXPECT_EQ(buffer("select count(*) from %1").toInt(), 0);
}

TEST_F(BrowserTest, EmptyPriceListTakesNothingOver) {
    db->exec("delete from cenik");
    auto f = open(0);
    EXPECT_EQ(f->DBGrid2->model()->rowCount(), 0);
    EXPECT_EQ(f->DBGrid1->model()->rowCount(), 0);
    f->Button4->click();
    EXPECT_EQ(prompter().texts(), QStringList{"V ceníku není vybráno žádné zboží, není co převzít."});
    EXPECT_EQ(buffer("select count(*) from %1").toInt(), 0);
}

class NormEditor : public cards::NormLineContext {
public:
    QString mealType() const override { return "Polévka"; }
    QString mealDescription() const override { return "Kulajda \"domácí\""; }
    void focusQuantity() override { ++focused; }
    int focused = 0;
};

TEST_F(BrowserTest, DoubleClickOnAnArticleFillsANewNormLine) {
    db->exec("INSERT INTO pracnorm (JKPOV) VALUES (\"\")");
    auto& pn = session().dm.pracnorm;
    pn.open();
    NormEditor editor;
    auto f = open(12, [&](cards::Tfskarta& f) { f.normLine = &editor; });
    doubleClickRow(f->DBGrid2, rowOf(f->DBGrid2, "JKPOV", "100002"));
    EXPECT_EQ(f->result(), QDialog::Accepted);
    EXPECT_EQ(editor.focused, 1);
    const auto r = db->admin().query("select * from pracnorm");
    ASSERT_EQ(r.rowCount(), 1);
    EXPECT_EQ(r.text(0, "JKPOV"), "100002");
    EXPECT_EQ(r.text(0, "TEXT"), "Cukr krystal");
    EXPECT_EQ(r.text(0, "MJ"), "kg");
    EXPECT_EQ(r.text(0, "TYPJID"), "Polévka");
    EXPECT_EQ(r.text(0, "POPIS"), "Kulajda \"domácí\"");
    EXPECT_EQ(r.value(0, "DATUM").toDateTime().date(), QDate::currentDate());
    EXPECT_DOUBLE_EQ(r.number(0, "MNOZSTVI"), 0.0);
    EXPECT_EQ(r.text(0, "CNORMY"), "0");
    // Nothing went into the document buffer.
    EXPECT_EQ(buffer("select count(*) from %1").toInt(), 0);
}

TEST_F(BrowserTest, NormLineWithAnArticleKeepsItsQuantity) {
    db->exec("insert into pracnorm (JKPOV, TYPJID, TEXT, POPIS, MNOZSTVI, MJ, CNORMY) values "
             "(\"100001\", \"Polévka\", \"Mouka hladká\", \"Kulajda \\\"domácí\\\"\", 0.025, \"kg\", \"17\")");
    auto& pn = session().dm.pracnorm;
    pn.open();
    NormEditor editor;
    auto f = open(11, [&](cards::Tfskarta& f) {
        f.normLine = &editor;
        f.najdi = true;
        f.najdi_jkpov = "100001";
    });
    // In mode 11 a double-click on an article takes nothing over.
    doubleClickRow(f->DBGrid2, rowOf(f->DBGrid2, "JKPOV", "200001"));
    EXPECT_TRUE(f->isVisible());
    EXPECT_EQ(db->scalar("select JKPOV from pracnorm"), "100001");
    f->Button4->click();
    const auto r = db->admin().query("select * from pracnorm");
    ASSERT_EQ(r.rowCount(), 1);
    EXPECT_EQ(r.text(0, "JKPOV"), "200001");
    EXPECT_EQ(r.text(0, "TEXT"), "Banány");
    EXPECT_DOUBLE_EQ(r.number(0, "MNOZSTVI"), 0.025);
    EXPECT_EQ(r.text(0, "CNORMY"), "17");
    EXPECT_EQ(editor.focused, 1);
}

TEST_F(BrowserTest, NormBufferWithoutALineGetsOne) {
    NormEditor editor;
    auto f = open(12, [&](cards::Tfskarta& f) { f.normLine = &editor; });
    f->Button4->click();
    EXPECT_EQ(db->scalar("select count(*) from pracnorm").toInt(), 1);
    EXPECT_EQ(db->scalar("select JKPOV from pracnorm"), "200002");
}

TEST_F(BrowserTest, BrowseModeChangesNoData) {
    const QString before = db->scalar("select concat(count(*), sum(mnoz)) from sklkarta");
    auto f = open(100, [](cards::Tfskarta& f) {
        f.najdi = true;
        f.najdi_jkpov = "100001";
    });
    doubleClickRow(f->DBGrid1, 0);
    doubleClickRow(f->DBGrid2, 0);
    f->prevzit();
    EXPECT_TRUE(f->isVisible());
    EXPECT_EQ(f->Tag, 100);
    EXPECT_EQ(buffer("select count(*) from %1").toInt(), 0);
    EXPECT_EQ(db->scalar("select count(*) from pracnorm").toInt(), 0);
    EXPECT_EQ(db->scalar("select concat(count(*), sum(mnoz)) from sklkarta"), before);
    EXPECT_TRUE(prompter().records().empty());
}

TEST_F(BrowserTest, EnlargeButtonSwitchesThePriceListHeight) {
    auto f = open(0);
    EXPECT_EQ(f->DBGrid2->height(), 151);
    f->SpeedButton1->click();
    QApplication::processEvents();
    EXPECT_EQ(f->DBGrid2->height(), 586);
    EXPECT_FALSE(f->DBGrid1->isVisible());
    EXPECT_FALSE(f->DBGrid3->isVisible());
    EXPECT_EQ(f->SpeedButton1->arrowType(), Qt::UpArrow);
    f->SpeedButton1->click();
    QApplication::processEvents();
    EXPECT_EQ(f->DBGrid2->height(), 151);
    EXPECT_TRUE(f->DBGrid1->isVisible());
}

TEST_F(BrowserTest, ColumnLayoutsAreSavedOnCloseAndLoadedOnNextOpening) {
    {
        auto f = open(0);
        f->DBGrid2->setColumnWidth(1, 222);
        f->DBGrid1->horizontalHeader()->moveSection(5, 0);   // "Zůstatek" first
        f->DBGrid3->setColumnWidth(0, 133);
        f->Button1->click();
    }
    for (const char* file : {"slzb.ini", "slka.ini", "slvs.ini"})
        EXPECT_TRUE(QFile::exists(session().env.inProgramDir(file))) << file;
    auto f = open(0);
    EXPECT_EQ(f->DBGrid2->columnWidth(1), 222);
    EXPECT_EQ(f->DBGrid1->horizontalHeader()->logicalIndex(0), 5);
    EXPECT_EQ(f->DBGrid3->columnWidth(0), 133);
}

TEST_F(BrowserTest, WindowPositionIsRemembered) {
    {
        auto f = open(0);
        f->move(140, 90);
        f->resize(1000, 720);
        f->Button1->click();
    }
    EXPECT_EQ(session().settings.readInteger("Tfskarta", "Left", -1), 140);
    core::IniFile saved(session().env.settingsPath);
    saved.load();
    EXPECT_EQ(saved.readInteger("Tfskarta", "Width", -1), 1000);
    auto f = open(0);
    EXPECT_EQ(f->pos(), QPoint(140, 90));
    EXPECT_EQ(f->size(), QSize(1000, 720));
}

TEST_F(BrowserTest, NewCardFromTheBrowserIsOpenedAndSelected) {
    auto f = open(0, [](cards::Tfskarta& f) {
        f.stredisko = "7";
        f.najdi = true;
        f.najdi_jkpov = "100001";
    });
    bool seen = false;
    whenModal<cards::Tfzalkarta>(
        [](cards::Tfzalkarta& z) {
            EXPECT_EQ(z.Edit3->text(), "Mouka hladká");
            z.Edit4->setText("17,80");
            z.Button1->click();
        },
        &seen);
    f->Button3->click();
    EXPECT_TRUE(seen);
    EXPECT_EQ(current(f->DBGrid2, "JKPOV"), "100001");
    EXPECT_EQ(current(f->DBGrid1, "CISLOKARTY"), "10000105");
    EXPECT_EQ(column(f->DBGrid3, "TYP"), QStringList{"Z"});
    EXPECT_EQ(db->scalar("select concat(stredisko, \"/\", mcena) from sklkarta where cislokarty = \"10000105\""), "7/17.8000");

    // "storno" only moves back to the article.
    clickRow(f->DBGrid1, rowOf(f->DBGrid1, "CISLOKARTY", "10000102"));
    whenModal<cards::Tfzalkarta>([](cards::Tfzalkarta& z) { z.Button2->click(); });
    f->Button3->click();
    EXPECT_EQ(current(f->DBGrid2, "JKPOV"), "100001");
    EXPECT_EQ(db->scalar("select count(*) from sklkarta").toInt(), 7);
}

TEST_F(BrowserTest, NewArticleFromTheBrowserBecomesCurrent) {
    auto f = open(1);
    whenModal<cards::TForm17>([](cards::TForm17& a) {
        EXPECT_EQ(a.Tag, 0);
        a.suiNumberEdit3->setText("100");
        a.Edit3->setText("Rýže");
        a.Edit5->setText("kg");
        a.Button1->click();
    });
    f->Button2->click();
    EXPECT_EQ(current(f->DBGrid2, "JKPOV"), "100003");
    EXPECT_EQ(current(f->DBGrid2, "NAZEV"), "Rýže");
    EXPECT_EQ(f->DBGrid2->model()->rowCount(), 5);
    EXPECT_EQ(f->DBGrid1->model()->rowCount(), 0);
}

TEST_F(BrowserTest, ContextCommandCorrectsTheSelectedArticle) {
    auto f = open(0, [](cards::Tfskarta& f) {
        f.najdi = true;
        f.najdi_jkpov = "200001";
    });
    QAction* oprava = f->PopupMenu1->actions().value(0);
    ASSERT_NE(oprava, nullptr);
    EXPECT_EQ(oprava->text(), "oprava údajů vybrané položky");
    whenModal<cards::TForm17>([](cards::TForm17& a) {
        EXPECT_EQ(a.Tag, 1);
        EXPECT_EQ(a.Edit1->text(), "200001");
        EXPECT_FALSE(a.Edit3->isEnabled());
        a.alergen[0]->setCurrentIndex(8);
        a.Button1->click();
    });
    oprava->trigger();
    EXPECT_EQ(db->scalar("select alergen from cenik where jkpov = \"200001\"").toInt(), 8);
    EXPECT_EQ(db->scalar("select nazev from cenik where jkpov = \"200001\""), "Banány");
    EXPECT_EQ(current(f->DBGrid2, "JKPOV"), "200001");
}

TEST_F(BrowserTest, TitleClickSearchesThePriceListInPartsOfNames) {
    auto f = open(0);
    EXPECT_EQ(f->DBGrid2->clickableTitles(), (QStringList{"JKPOV", "NAZEV"}));
    bool seen = false;
    whenModal<ui::SearchDialog>(
        [](ui::SearchDialog& d) {
            EXPECT_EQ(d.windowTitle(), "Hledat");
            EXPECT_EQ(d.field(), 1);   // started on "Název"
            EXPECT_TRUE(d.partial());
            d.setSearchText("krys");
            EXPECT_EQ(d.matchCount(), 1);
            EXPECT_EQ(d.matchText(0), "Cukr krystal");
            d.prevzit();
        },
        &seen);
    clickTitle(f->DBGrid2, "NAZEV");
    EXPECT_TRUE(seen);
    EXPECT_EQ(current(f->DBGrid2, "JKPOV"), "100002");
    EXPECT_EQ(column(f->DBGrid1, "CISLOKARTY"), QStringList{"10000201"});

    // "storno" leaves the article where it was.
    whenModal<ui::SearchDialog>([](ui::SearchDialog& d) {
        EXPECT_EQ(d.field(), 0);
        d.setSearchText("2000");
        EXPECT_EQ(d.matchCount(), 2);
        d.reject();
    });
    clickTitle(f->DBGrid2, "JKPOV");
    EXPECT_EQ(current(f->DBGrid2, "JKPOV"), "100002");
}

TEST_F(BrowserTest, PrintButtonsPrintTheSelectedCardDatedToday) {
    QStringList printed;
    cards::setCardPrints(
        [&](app::Session&, const QString& card, const QDate& day, QWidget*) { printed << "podrobný " + card + " " + day.toString(Qt::ISODate); },
        [&](app::Session&, const QString& card, const QDate& day, QWidget*) { printed << "po dnech " + card + " " + day.toString(Qt::ISODate); });
    auto f = open(0, [](cards::Tfskarta& f) {
        f.najdi = true;
        f.najdi_jkpov = "100001";
        f.najdi_kartu = "10000103";
    });
    f->Button5->click();
    f->Button6->click();
    f->browser().moveTo("200002");   // no card: nothing to print
    f->Button5->click();
    cards::setCardPrints({}, {});
    const QString today = QDate::currentDate().toString(Qt::ISODate);
    EXPECT_EQ(printed, (QStringList{"podrobný 10000103 " + today, "po dnech 10000103 " + today}));
    EXPECT_EQ(f->Button5->text(), "tisk karty - podrobný");
    EXPECT_EQ(f->Button6->text(), "tisk karty - po dnech");
}

TEST_F(BrowserTest, MainMenuCommandOpensTheBrowserForViewingOnly) {
    app::CommandRegistry r;
    cards::registerCommands(r);
    bool seen = false;
    whenModal<cards::Tfskarta>(
        [](cards::Tfskarta& f) {
            EXPECT_EQ(f.Tag, 100);
            EXPECT_FALSE(f.Button2->isVisible());
            EXPECT_FALSE(f.Button3->isVisible());
            EXPECT_FALSE(f.Button4->isVisible());
            EXPECT_EQ(f.browser().sqlcenik.statement(), "select * from cenik order by nazev");
            f.Button1->click();
        },
        &seen);
    EXPECT_TRUE(r.run("Skladovakarta21", session(), nullptr));
    EXPECT_TRUE(seen);
}

} // namespace
