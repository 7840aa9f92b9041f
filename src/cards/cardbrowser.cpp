#include "cards/cardbrowser.h"

#include "app/session.h"
#include "db/sqltext.h"

namespace cards {

namespace {
const QString kCaption = "Talírka";
}

CardBrowser::CardBrowser(app::Session& s, BrowserSettings& settings)
    : sqlcenik(s.conn()), sqlkarta(s.conn()), tvse(s.conn()), s_(s), set_(settings) {
    sqlcenik.setTable("cenik");
    sqlkarta.setTable("sklkarta");
    sqlcenik.afterScroll = [this] {
        if (linked_) linkCards();
    };
    sqlkarta.afterScroll = [this] {
        if (linked_) loadMovements();
    };
}

QString CardBrowser::cardOrderTail(int tag) {
    switch (tag) {
    case 0:
    case 11: return "desc, jkpov, cislokarty";
    case 2:
    case 12: return "desc, cislokarty";
    default: return "desc, cislokarty, nazev";   // 1 and 100
    }
}

QString CardBrowser::priceListStatement(int tag) {
    return tag == 0 || tag == 11 ? "select * from cenik order by jkpov" : "select * from cenik order by nazev";
}

QString CardBrowser::cardStatement() const {
    return "select * from sklkarta order by\n" + sortKey_ + "\n" + cardOrderTail(set_.Tag);
}

void CardBrowser::tell(const QString& text) { s_.prompter().tell(kCaption, text, ui::Icon::Warning); }

void CardBrowser::openLists() {
    const bool was = linked_;
    linked_ = false;
    tvse.close();
    sqlkarta.close();
    sqlcenik.close();
    sqlkarta.setStatement(cardStatement());
    sqlkarta.open();
    jkpovColumn_ = sqlkarta.fieldIndex("JKPOV");
    mnozColumn_ = sqlkarta.fieldIndex("MNOZ");
    sqlcenik.setStatement(priceListStatement(set_.Tag));
    sqlcenik.open();
    linked_ = was;
}

void CardBrowser::FormShow() {
    openLists();
    const bool was = linked_;
    linked_ = false;
    if (set_.najdi) {
        sqlcenik.locate("JKPOV", set_.najdi_jkpov);
        linked_ = was;
        linkCards();
        if (!set_.najdi_kartu.isEmpty()) sqlkarta.locate("CISLOKARTY", set_.najdi_kartu);
        set_.najdi = false;
    } else {
        linked_ = was;
        linkCards();
    }
}

void CardBrowser::reload(const QString& jkpov, const QString& cislokarty) {
    openLists();
    if (!moveTo(jkpov, cislokarty)) linkCards();
}

bool CardBrowser::moveTo(const QString& jkpov, const QString& cislokarty) {
    const bool was = linked_;
    linked_ = false;
    const bool found = sqlcenik.locate("JKPOV", jkpov);
    linked_ = was;
    if (!found) return false;
    linkCards();
    if (!cislokarty.isEmpty()) sqlkarta.locate("CISLOKARTY", cislokarty);
    return true;
}

void CardBrowser::sortCards(const QString& key) {
    const QString k = key.toLower();
    if (k != "mcena" && k != "mnoz") return;
    sortKey_ = k;
    sqlkarta.setStatement(cardStatement());
    // The article filter stays on the dataset, so the reopened list shows the same article.
    sqlkarta.open();
    if (!linked_) return;
    if (cardsChanged) cardsChanged();
}

void CardBrowser::setLinked(bool on) { linked_ = on; }

void CardBrowser::linkCards() {
    const bool article = hasArticle();
    const QString jkpov = article ? currentJkpov() : QString();
    const int jc = jkpovColumn_;
    const int mc = mnozColumn_;
    const bool nonZero = set_.jen_nenulove;
    // Without an article no card is listed (a card without an article number is no answer).
    sqlkarta.setFilter([=](const db::Dataset& ds, int row) {
        if (!article) return false;
        if (ds.sourceValue(row, jc).toString() != jkpov) return false;
        return !nonZero || ds.sourceValue(row, mc).toDouble() != 0.0;
    });
    if (cardsChanged) cardsChanged();
}

void CardBrowser::loadMovements() {
    if (!hasCard()) {
        tvse.close();
    } else {
        tvse.setStatement("select * from vse where CISLPOLOZ = " + sql::q(currentCard()));
        tvse.open();
    }
    if (movementsChanged) movementsChanged();
}

bool CardBrowser::prevzit() {
    if (set_.Tag == 100) return false;
    if (set_.Tag == 11 || set_.Tag == 12) return takeOverIntoNorm();
    if (set_.Tag < 10) return takeOverIntoDocument();
    return false;
}

bool CardBrowser::takeOverIntoDocument() {
    if (!hasArticle()) {
        tell("V ceníku není vybráno žádné zboží, není co převzít.");
        return false;
    }
    if (!hasCard()) {
        const QString article = currentJkpov() + " " + sqlcenik.text("NAZEV");
        tell(set_.jen_nenulove ? "Zboží " + article +
                                     " nemá žádnou skladovou kartu s nenulovým zůstatkem.\nDo dokladu nebylo nic převzato."
                               : "Zboží " + article +
                                     " nemá žádnou skladovou kartu.\nDo dokladu nebylo nic převzato, kartu lze založit "
                                     "tlačítkem \"nová karta\".");
        return false;
    }
    auto& t3 = s_.dm.table3;
    if (!t3.isOpen() || t3.recNo() < 0) {
        if (!t3.isOpen()) t3.open();
        auto& c = s_.conn();
        c.exec("insert into " + s_.dm.pracTabulka + " (typ) value (default)");
        const auto id = c.query("select last_insert_id() as posledni").rows.value(0).value(0);
        t3.refresh();
        t3.locate("id", id);
    }
    const QString card = currentCard();
    if (set_.Tag == 2 && set_.cardPair) set_.cardPair->rememberCardPair(card, t3.text("CISLPOLOZ"));
    t3.storeRow(t3.recNo(), {{"JKPOV", sqlkarta.text("JKPOV")},
                             {"CISLPOLOZ", card},
                             {"TEXT", sqlkarta.text("NAZEV")},
                             {"NAKUPCENA", sqlkarta.value("MCENA")},
                             {"MJ", sqlkarta.text("JEDN")}});
    set_.Tag = -1;
    return true;
}

bool CardBrowser::takeOverIntoNorm() {
    if (!hasArticle()) {
        tell("V ceníku není vybráno žádné zboží, není co převzít.");
        return false;
    }
    auto& pn = s_.dm.pracnorm;
    if (!pn.isOpen()) pn.open();
    if (pn.recNo() < 0) {
        // No line to fill: a new one, as "nová řádka" makes it.
        s_.conn().exec("INSERT INTO pracnorm (JKPOV) VALUES (\"\")");
        pn.refresh();
        pn.last();
    }
    const bool isNew = pn.text("JKPOV").isEmpty();
    QVector<QPair<QString, QVariant>> values{{"JKPOV", currentJkpov()},
                                             {"TEXT", sqlcenik.text("NAZEV")},
                                             {"MJ", sqlcenik.text("MJ")},
                                             {"DATUM", today_.isValid() ? today_ : QDate::currentDate()}};
    if (set_.normLine) {
        values.push_back({"TYPJID", set_.normLine->mealType()});
        values.push_back({"POPIS", set_.normLine->mealDescription()});
    }
    if (isNew) {
        values.push_back({"MNOZSTVI", 0});
        values.push_back({"CELKEM", 0});
        values.push_back({"POCET", 0});
        values.push_back({"CNORMY", "0"});
    }
    pn.storeRow(pn.recNo(), values);
    if (set_.normLine) set_.normLine->focusQuantity();
    return true;
}

} // namespace cards
