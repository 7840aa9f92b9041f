#include "stock/addressbook.h"

#include "db/sqltext.h"

namespace stock {

void AddressBook::FormShow() {
    if (!table1().isOpen()) table1().open();
}

void AddressBook::Pidatvtu1() {
    panel = {};
    mode = Adding;
    correcting_ = -1;
}

bool AddressBook::Opravitoznaenouvtu1() {
    auto& t = table1();
    if (!t.isOpen() || t.recNo() < 0) return false;
    const long long id = t.value("id").toLongLong();
    const auto rs = s_.conn().query("select * from adresar where id = " + sql::num(id));
    if (rs.isEmpty()) return false;
    panel.NAZEVPODNI = rs.text(0, "NAZEVPODNI");
    panel.SIDLO = rs.text(0, "SIDLO");
    panel.ULICECISLO = rs.text(0, "ulicecislo");
    panel.ICO = rs.text(0, "ICO");
    panel.PSC = rs.text(0, "PSC");
    panel.MISTO = rs.text(0, "MISTO");
    mode = Correcting;
    // The correction belongs to this row even if the user moves in the list meanwhile.
    correcting_ = id;
    return true;
}

bool AddressBook::Smazatoznaenouvtu1() {
    auto& t = table1();
    if (!t.isOpen() || t.recNo() < 0) return false;
    if (s_.prompter().choose("Smazání", "Smazat označený řádek ?", ui::Icon::Question, {"Ano", "Zpět"}) !=
        "Ano")
        return false;
    s_.conn().exec("delete from adresar where id = " + sql::num(t.value("id").toLongLong()));
    t.refresh();
    return true;
}

QString AddressBook::updateStatement(const Supplier& v, long long id) {
    return "update adresar set NAZEVPODNI = " + sql::q(v.NAZEVPODNI.left(Supplier::NAZEVPODNI_len)) + ",\n" +
           "SIDLO = " + sql::q(v.SIDLO.left(Supplier::SIDLO_len)) + ",\n" +
           "ulicecislo = " + sql::q(v.ULICECISLO.left(Supplier::ULICECISLO_len)) + ",\n" +
           "ICO = " + sql::q(v.ICO.left(Supplier::ICO_len)) + ",\n" +
           "PSC = " + sql::q(v.PSC.left(Supplier::PSC_len)) + ",\n" +
           "MISTO = " + sql::q(v.MISTO.left(Supplier::MISTO_len)) + "\n" + "where id = " + sql::num(id);
}

long long AddressBook::suitempButton6Click() {
    auto& c = s_.conn();
    long long id = -1;
    {
        // A new row and its values together: a failing update leaves no empty supplier behind.
        db::Transaction tr(c);
        if (mode == Correcting && correcting_ >= 0) {
            id = correcting_;
        } else {
            c.exec("insert into adresar (ico) value (default)");
            id = c.query("select last_insert_id() as posledni").integer(0, "posledni");
        }
        c.exec(updateStatement(panel, id));
        tr.commit();
    }
    auto& t = table1();
    if (!t.isOpen()) t.open();
    t.refresh();
    t.locate("id", id);
    panel = {};
    mode = Adding;
    correcting_ = -1;
    return id;
}

std::optional<Supplier> AddressBook::current() const {
    const auto& t = s_.dm.table1;
    if (!t.isOpen() || t.recNo() < 0) return std::nullopt;
    return Supplier{t.text("NAZEVPODNI"), t.text("SIDLO"), t.text("ULICECISLO"),
                    t.text("PSC"),        t.text("MISTO"), t.text("ICO")};
}

} // namespace stock
