#include "stock/receiptdocument.h"

#include "cards/cardnumbering.h"
#include "core/rounding.h"
#include "db/sqltext.h"

namespace stock {

namespace {
const QString kSection = "TForm1";
}

ReceiptDocument::ReceiptDocument(app::Session& s) : DocumentBuffer(s, DocumentKind::receipt()) {}

void ReceiptDocument::FormShow() {
    Kontrola_karet();
    reopened_ = false;
    NovejDoklad();
    NOVECISLO();
}

void ReceiptDocument::Kontrola_karet() {
    const auto rs =
        conn().query("select count(CISLOKARTY) as pocetk, nazev from sklkarta group by jkpov order by "
                     "count(CISLOKARTY) desc  ");
    if (rs.isEmpty() || rs.integer(0, "pocetk") < 91) return;
    const QString a = s_.prompter().choose(
        "Talírka",
        "POZOR - počet karet: " + rs.text(0, "nazev") +
            " se blíží maximu. Doporučujeme provést Servis - Rušení prázdných skladových karet!",
        ui::Icon::Question, {"pokračovat", "spustit rušení"});
    if (a == "spustit rušení" && cleanupOldEmptyCards) cleanupOldEmptyCards(s_);
}

bool ReceiptDocument::mayPick() {
    const QString text = header_.PROVOZOVNA;
    bool ok = false;
    if (!text.isEmpty()) text.toInt(&ok);
    if (ok) return true;
    if (!text.isEmpty()) {
        header_.PROVOZOVNA.clear();
        emitHeader();
    }
    s_.prompter().tell("Talírka", "Není vyplněno číslo provozovny!", ui::Icon::Stop);
    return false;
}

void ReceiptDocument::beforeArticlePick() {
    if (table3().isEmpty()) insertBlankLine();
}

ReceiptDocument::BrowserPosition ReceiptDocument::browserPosition() const {
    const auto& t = s_.dm.table3;
    BrowserPosition p;
    if (t.recNo() < 0 || t.text("JKPOV").isEmpty()) return p;
    p.najdi = true;
    p.najdi_jkpov = t.text("JKPOV");
    p.najdi_kartu = t.text("CISLPOLOZ");
    return p;
}

void ReceiptDocument::afterTakeOver() {
    auto& t = table3();
    if (vpc && t.recNo() >= 0) t.store(t.recNo(), "NAKUPCENA", 0.0);
    CELKEMeditable = vpc;
    emitReset();
}

void ReceiptDocument::deriveFromTotal(int row) {
    auto& t = table3();
    const double celkem = t.valueAt(row, "CELKEM").toDouble();
    const double mnozstvi = t.valueAt(row, "MNOZSTVI").toDouble();
    if (celkem == 0 || mnozstvi == 0) return;
    t.store(row, "NAKUPCENA", core::round2(celkem / mnozstvi));
    vyhledej_kartu(row);
}

void ReceiptDocument::colExit(int row, const QString& column) {
    auto& t = table3();
    if (row < 0 || row >= t.rowCount()) return;
    if (vpc) {
        if (column.compare("CELKEM", Qt::CaseInsensitive) == 0) deriveFromTotal(row);
    } else if (column.compare("NAKUPCENA", Qt::CaseInsensitive) == 0 ||
               column.compare("MNOZSTVI", Qt::CaseInsensitive) == 0) {
        const double celkem =
            core::lineValue(t.valueAt(row, "MNOZSTVI").toDouble(), t.valueAt(row, "NAKUPCENA").toDouble());
        if (celkem != t.valueAt(row, "CELKEM").toDouble()) t.store(row, "CELKEM", celkem);
    }
    emitReset();
}

void ReceiptDocument::beforeNewLine(const QString& selectedColumn) {
    auto& t = table3();
    if (vpc && selectedColumn.compare("CELKEM", Qt::CaseInsensitive) == 0 && t.recNo() >= 0 &&
        t.number("MNOZSTVI") != 0)
        deriveFromTotal(t.recNo());
}

void ReceiptDocument::vyhledej_kartu(int row) {
    auto& t = table3();
    const auto rs = conn().query(
        "select * from sklkarta where jkpov = " + sql::q(t.valueAt(row, "JKPOV").toString()) +
        " and mcena = " + sql::num(t.valueAt(row, "NAKUPCENA").toDouble()) + " order by mnoz desc");
    if (!rs.isEmpty()) t.store(row, "CISLPOLOZ", rs.text(0, "CISLOKARTY"));
}

void ReceiptDocument::dopln_karty() {
    auto& t = table3();
    const QString today = sql::datetime(QDate::currentDate());
    for (int r = 0; r < t.rowCount(); ++r) {
        const QString jkpov = t.valueAt(r, "JKPOV").toString();
        const QString cena = sql::num(t.valueAt(r, "NAKUPCENA").toDouble());
        const auto rs = conn().query("select * from sklkarta where jkpov = " + sql::q(jkpov) +
                                     " and mcena = " + cena + " order by mnoz desc");
        if (!rs.isEmpty()) {
            // A line already on a card of this price stays there (leaving the total chose it);
            // otherwise the card of the price with the largest balance takes it.
            QString card = rs.text(0, "CISLOKARTY");
            for (int k = 0; k < rs.rowCount(); ++k)
                if (rs.text(k, "CISLOKARTY") == t.valueAt(r, "CISLPOLOZ").toString())
                    card = rs.text(k, "CISLOKARTY");
            if (card != t.valueAt(r, "CISLPOLOZ").toString()) t.store(r, "CISLPOLOZ", card);
            continue;
        }
        const QString n = cards::CardNumbering::novecislokarty(conn(), jkpov);
        // Only temporary tables are dropped here: dropping a plain table would commit the save's
        // transaction half way (the plain ones went before it started).
        conn().exec("drop temporary table if exists _nkarta");
        conn().exec("create temporary table _nkarta select * from sklkarta where jkpov = " + sql::q(jkpov) +
                    " limit 0,1");
        conn().exec("update _nkarta set id = 0, cislokarty = " + sql::q(n) + ", mnoz = 0, mcena = " + cena);
        conn().exec("insert into sklkarta select * from _nkarta");
        conn().exec("drop temporary table if exists _nkarta");
        t.store(r, "CISLPOLOZ", n);

        conn().exec("drop temporary table if exists _zalk");
        conn().exec("create temporary table _zalk select * from  " + pracTabulka() +
                    " where id=" + sql::num(t.valueAt(r, "id").toLongLong()));
        conn().exec("update _zalk set id = 0,\n"
                    "cislo = \"\",\n"
                    "ico = \"\",\n"
                    "typ = \"Z\",\n"
                    "dodavatel = \"\",\n"
                    "orgjd = \"\",\n"
                    "cisldokl = \"\",\n"
                    "provozovna = \"\",\n"
                    "mj = \"\",\n"
                    "datum = " +
                    today +
                    ",\n"
                    "mnozstvi = 0,\n"
                    "nakupcena = 0,\n"
                    "celkem = 0");
        conn().exec("insert into vse select * from _zalk");
        conn().exec("drop temporary table if exists _zalk");
    }
}

bool ReceiptDocument::save() {
    auto& t = table3();
    auto& p = s_.prompter();

    // 1. Every line needs its article, card and name (an empty buffer has nothing to save).
    bool badFill = t.isEmpty();
    for (int r = 0; r < t.rowCount() && !badFill; ++r)
        badFill = t.valueAt(r, "JKPOV").toString().isEmpty() ||
                  t.valueAt(r, "CISLPOLOZ").toString().isEmpty() || t.valueAt(r, "TEXT").toString().isEmpty();
    if (badFill) {
        p.tell("Špatné vyplnění", "Nelze uložit, špatné vyplnění hodnot", ui::Icon::Warning);
        return false;
    }

    // 2. The header into every line, the price or the total of each line.
    bool zero = false;
    {
        db::Transaction tr(conn());
        conn().exec("update " + pracTabulka() + " set " + headerAssignments().join(", "));
        for (int r = 0; r < t.rowCount(); ++r) {
            const double mnozstvi = t.valueAt(r, "MNOZSTVI").toDouble();
            double cena = t.valueAt(r, "NAKUPCENA").toDouble();
            double celkem = t.valueAt(r, "CELKEM").toDouble();
            if (vpc) {
                if (mnozstvi != 0) cena = core::round2(celkem / mnozstvi);
            } else {
                celkem = core::lineValue(mnozstvi, cena);
            }
            if (cena != t.valueAt(r, "NAKUPCENA").toDouble() || celkem != t.valueAt(r, "CELKEM").toDouble())
                t.storeRow(r, {{"NAKUPCENA", cena}, {"CELKEM", celkem}});
            if (mnozstvi == 0 || cena == 0 || celkem == 0) zero = true;
        }
        tr.commit();
    }
    refreshBuffer();

    // 3.
    if (zero) {
        p.tell("Špatné vyplnění", "Nelze uložit, nulové hodnoty!", ui::Icon::Warning);
        return false;
    }

    // 4.-9. in one transaction, under the lock that keeps two workstations off one number.
    if (vpc) {
        conn().exec("drop table if exists _nkarta");
        conn().exec("drop table if exists _zalk");
    }
    const QString shownNumber = header_.CISLO;
    QString renumberedFrom;
    {
        DocumentSaveLock lock(conn());
        if (!lock.acquired()) {
            p.tell("Talírka",
                   "Doklad nelze uložit, jiná stanice právě ukládá doklad. Uložte jej prosím znovu.",
                   ui::Icon::Warning);
            return false;
        }
        try {
            db::Transaction tr(conn());
            renumberedFrom = takeNumberAtSave();
            if (vpc) dopln_karty();
            undoStored(-1);
            deleteStored();
            insertFromBuffer(insertColumns1(), insertColumns2());
            applyBalances(+1);
            tr.commit();
        } catch (const cards::NumberingExhausted& e) {
            header_.CISLO = shownNumber;
            refreshBuffer();
            emitHeader();
            p.tell("Talírka", e.message(), ui::Icon::Stop);
            return false;
        } catch (...) {
            // Rolled back: the buffer keeps the document as it was before saving.
            header_.CISLO = shownNumber;
            refreshBuffer();
            emitHeader();
            throw;
        }
    }

    // 10. The print shows the recalculated line values.
    recalculate();
    if (print) print();

    // 11.
    if (renumberedFrom.isEmpty())
        p.tell("Uložení dokladu", "Doklad byl uložen", ui::Icon::Information);
    else
        p.tell("Uložení dokladu",
               "Doklad byl uložen pod číslem " + header_.CISLO + ". Číslo " + renumberedFrom +
                   " mezitím dostal doklad uložený na jiné stanici.",
               ui::Icon::Information);

    // 12.
    reopened_ = false;
    NovejDoklad();
    NOVECISLO();
    return true;
}

void ReceiptDocument::loadSettings() {
    header_.PROVOZOVNA = s_.settings.readProperty(kSection, "Edit5", "Text");
    vpc =
        s_.settings.readProperty(kSection, "vpc", "Checked", "False").compare("True", Qt::CaseInsensitive) ==
        0;
    emitHeader();
}

void ReceiptDocument::saveSettings() {
    s_.settings.writeProperty(kSection, "Edit5", "Text", header_.PROVOZOVNA);
    s_.settings.writeProperty(kSection, "vpc", "Checked", vpc ? "True" : "False");
    s_.saveSettings();
}

} // namespace stock
