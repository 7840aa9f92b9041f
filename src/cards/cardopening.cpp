#include "cards/cardopening.h"

#include "app/session.h"
#include "cards/cardnumbering.h"
#include "core/numformat.h"
#include "db/sqltext.h"

#include <QRegularExpression>

namespace cards {

QString CardOpening::zalozKartu(db::Connection& c, const NewCard& card, const QDate& day) {
    const QString cislokarty = CardNumbering::novecislokarty(c, card.jkpov);
    c.exec("insert into sklkarta (nazev) value (default)");
    const long long kartaId = c.query("select last_insert_id() as posledni").integer(0, "posledni");
    // Cut to the columns, as their fields would: a long text must not fail the statement.
    c.exec("update sklkarta set nazev = " + sql::q(card.nazev.left(50)) + ", jedn = " + sql::q(card.jedn.left(10)) +
           ", jkpov = " + sql::q(card.jkpov) + ", cislokarty = " + sql::q(cislokarty) +
           ", stredisko = " + sql::q(card.stredisko.left(30)) + ", mcena = " + sql::q(sql::num(card.mcena, 4)) +
           ", druh = " + sql::q(card.jkpov.left(3)) + ", mnoz = 0 where id = " + sql::num(kartaId));
    c.exec("insert into vse (typ) value (default)");
    const long long pohybId = c.query("select last_insert_id() as posledni").integer(0, "posledni");
    c.exec("update vse set cislpoloz = " + sql::q(cislokarty) + ", typ = \"Z\", jkpov = " + sql::q(cislokarty.left(6)) +
           ", datum = " + sql::datetime(day) + ", text = " + sql::q(card.nazev.left(50)) +
           ", mnozstvi = 0, celkem = 0 where id = " + sql::num(pohybId));
    return cislokarty;
}

std::optional<double> CardOpening::parsePrice(const QString& text) {
    // Digits with blanks between thousands and one decimal comma or point, as the price mask
    // allows; no sign, no exponent, and small enough for the mcena column.
    static const QRegularExpression shape("^(\\d[\\d \\x{00A0}]*([.,]\\d*)?|[.,]\\d+)$");
    if (!shape.match(text.trimmed()).hasMatch()) return std::nullopt;
    const auto v = core::parseNumber(text);
    if (!v || *v >= 1e11) return std::nullopt;
    return v;
}

std::optional<QString> CardOpening::save(app::Session& s, NewCard card, const QString& priceText, const QDate& day) {
    const auto price = parsePrice(priceText);
    if (!price) {
        s.prompter().tell("Talírka", "Chybná cena za jednotku!", ui::Icon::Stop);
        return std::nullopt;
    }
    card.mcena = *price;
    db::Transaction t(s.conn());
    try {
        const QString number = zalozKartu(s.conn(), card, day);
        t.commit();
        return number;
    } catch (const NumberingExhausted& e) {
        s.prompter().tell("Talírka", e.message(), ui::Icon::Stop);
        return std::nullopt;
    }
}

} // namespace cards
