#include "cards/articleeditor.h"

#include "app/session.h"
#include "cards/articlenumbering.h"
#include "db/sqltext.h"

namespace cards {

namespace {
const QString kCaption = "Talírka";
}

QStringList ArticleEditor::allergenItems() {
    QStringList items;
    const auto rs = s_.conn().query("select * from alergeny order by alergen");
    for (int r = 0; r < rs.rowCount(); ++r) items << rs.text(r, "alergen") + ". " + rs.text(r, "popis");
    return items;
}

int ArticleEditor::allergenNumber(const QString& item) {
    const int dot = int(item.indexOf('.'));
    return (dot < 0 ? item : item.left(dot)).trimmed().toInt();
}

Article ArticleEditor::load(int id) {
    Article a;
    const auto rs = s_.conn().query("select * from cenik where id = " + sql::num(id));
    if (rs.isEmpty()) return a;
    a.jkpov = rs.text(0, "jkpov");
    a.druh = a.jkpov.left(3);
    a.nazev = rs.text(0, "nazev");
    a.mj = rs.text(0, "mj");
    static const char* skup[] = {"kos_skup", "kos_skup2", "kos_skup3", "kos_skup4"};
    static const char* koef[] = {"kos_koef", "kos_koef2", "kos_koef3", "kos_koef4"};
    for (int i = 0; i < 4; ++i) {
        a.kosSkup[i] = int(rs.integer(0, skup[i]));
        a.kosKoef[i] = rs.number(0, koef[i]);
    }
    for (int i = 0; i < 8; ++i) a.alergen[i] = int(rs.integer(0, i == 0 ? QString("alergen") : QString("alergen%1").arg(i + 1)));
    return a;
}

bool ArticleEditor::save(Article& a, int id) {
    auto& p = s_.prompter();
    if (id != 0) {
        // A correction writes back the stored number, name and unit, whatever the fields hold.
        const Article stored = load(id);
        if (stored.jkpov.isEmpty() && stored.nazev.isEmpty() && stored.mj.isEmpty()) {
            p.tell(kCaption, "Opravované zboží už v ceníku není.", ui::Icon::Stop);
            return false;
        }
        a.jkpov = stored.jkpov;
        a.druh = stored.druh;
        a.nazev = stored.nazev;
        a.mj = stored.mj;
    }
    if (a.nazev.trimmed().isEmpty() || a.mj.trimmed().isEmpty()) {
        p.tell(kCaption, "Neúplné nebo chybějící údaje!", ui::Icon::Stop);
        return false;
    }
    auto& c = s_.conn();
    if (id != 0) {
        update(a, id);
        return true;
    }
    a.druh = ArticleNumbering::normalizedGroup(a.druh);
    // The row and its values go in together: a failing update must not leave an empty article.
    db::Transaction t(c);
    try {
        a.jkpov = ArticleNumbering::NOVECISLO(c, a.druh);
    } catch (const NumberingExhausted& e) {
        p.tell(kCaption, e.message(), ui::Icon::Stop);
        return false;
    }
    c.exec("insert into cenik (nazev) value (default)");
    const long long posledni = c.query("select last_insert_id() as posledni").integer(0, "posledni");
    update(a, posledni);
    t.commit();
    return true;
}

void ArticleEditor::update(const Article& a, long long id) {
    auto koef = [](double v) { return sql::q(QString::number(v, 'f', 3)); };
    auto skup = [](int v) { return sql::q(QString::number(v)); };
    QString st = "update cenik set nazev = " + sql::q(a.nazev.left(nazevLength)) + ", mj = " + sql::q(a.mj.left(mjLength)) +
                 ", jkpov = " + sql::q(a.jkpov) + ", kos_skup = " + skup(a.kosSkup[0]) + ", kos_koef = " + koef(a.kosKoef[0]) +
                 ", kos_skup2 = " + skup(a.kosSkup[1]) + ", kos_koef2 = " + koef(a.kosKoef[1]) +
                 ", kos_skup3 = " + skup(a.kosSkup[2]) + ", kos_koef3 = " + koef(a.kosKoef[2]) +
                 ", kos_skup4 = " + skup(a.kosSkup[3]) + ", kos_koef4 = " + koef(a.kosKoef[3]);
    for (int i = 0; i < 8; ++i)
        st += (i == 0 ? QString(", alergen = ") : QString(", alergen%1 = ").arg(i + 1)) + sql::num(a.alergen[i]);
    st += " where id = " + sql::num(id);
    s_.conn().exec(st);
}

} // namespace cards
