#include "stock/documentbuffer.h"

#include "app/datamodul.h"
#include "core/rounding.h"
#include "db/sqltext.h"

#include <QHash>

namespace stock {

QString numberingStatement(const DocumentKind& kind, const QDate& date) {
    const QString y4 = QString::number(date.year());
    const QString y2 = date.toString("yy");
    const QString where = kind.letter == "P" ? QString("where (TYP = \"P\") and ((extract(year from datum)= "
                                                       "%1) or (substring(cislo, 3, 2) = \"%2\"))")
                                             : QString("where TYP = \"%3\" and ((extract(year from datum) = "
                                                       "%1) or (substring(cislo, 3, 2) = \"%2\"))")
                                                   .replace("%3", kind.letter);
    return "select max(CISLO) as posl from vse \n" + where.arg(y4, y2);
}

QString NOVECISLO(db::Connection& c, const DocumentKind& kind, const QDate& date) {
    const auto rs = c.query(numberingStatement(kind, date));
    const QVariant posl = rs.isEmpty() ? QVariant() : rs.value(0, "posl");
    if (posl.isNull()) return kind.prefix + date.toString("yy") + "0001";
    return QString::number(posl.toString().toLongLong() + 1);
}

// The lock name carries the database, because one server may hold several installations.
DocumentSaveLock::DocumentSaveLock(db::Connection& c, int timeoutSeconds) : c_(c) {
    const auto rs =
        c_.query(QString("select get_lock(concat(database(), '.doklad'), %1) as zamek").arg(timeoutSeconds));
    acquired_ = !rs.isEmpty() && rs.integer(0, "zamek") == 1;
}

DocumentSaveLock::~DocumentSaveLock() {
    if (!acquired_) return;
    try {
        c_.exec("do release_lock(concat(database(), '.doklad'))");
    } catch (const db::Error&) {
        // A lost connection releases the lock on the server by itself.
    }
}

DocumentBuffer::DocumentBuffer(app::Session& s, DocumentKind kind) : s_(s), kind_(std::move(kind)) {
    header_.DATUM = QDate::currentDate();
}

void DocumentBuffer::NOVECISLO() {
    header_.CISLO = stock::NOVECISLO(conn(), kind_, header_.DATUM);
    emitHeader();
}

void DocumentBuffer::emptyBuffer() {
    // The start-up and the opening of a document window create the buffer afresh as a copy of
    // vse; within the window emptying it is enough, and it spares two table creations per saved
    // document, which is most of the time a save takes.
    if (!table3().isOpen() || table3().table() != pracTabulka()) {
        app::recreateWorkTable(s_);
        return;
    }
    conn().exec("delete from " + pracTabulka());
    table3().refresh();
}

void DocumentBuffer::NovejDoklad() {
    emptyBuffer();
    insertBlankLine();
    header_.CISLDOKL = " ";
    header_.ICO.clear();
    header_.ORGJD.clear();
    header_.DODAVATEL.clear();
    header_.PREVZAL.clear();
    header_.ROZUCTOVAL.clear();
    header_.POPIS.clear();
    header_.DATUM = QDate::currentDate();
    emitReset();
    emitHeader();
}

void DocumentBuffer::DateEdit1Exit() {
    if (!reopened_) NOVECISLO();
}

bool DocumentBuffer::isBlank(int row) const {
    return s_.dm.table3.valueAt(row, "JKPOV").toString().isEmpty();
}

bool DocumentBuffer::hasArticle() const {
    for (int r = 0; r < lineCount(); ++r)
        if (!isBlank(r)) return true;
    return false;
}

void DocumentBuffer::refreshBuffer() {
    table3().refresh();
    emitReset();
}

void DocumentBuffer::insertBlankLine() {
    conn().exec("insert into " + pracTabulka() + " (cislo) values (default)");
    table3().refresh();
    table3().last();
    emitReset();
}

bool DocumentBuffer::newLine(const QString& selectedColumn) {
    beforeNewLine(selectedColumn);
    auto& t = table3();
    if (!t.isEmpty()) {
        t.last();
        if (isBlank(t.recNo())) return false;
    }
    insertBlankLine();
    return true;
}

bool DocumentBuffer::deleteLine() {
    auto& t = table3();
    if (t.isEmpty() || t.recNo() < 0) return false;
    if (s_.prompter().choose("Talírka", "Opravdu smazat vybraný řádek?", ui::Icon::Question, {"ANO", "NE"}) !=
        "ANO")
        return false;
    conn().exec("delete from " + pracTabulka() + " where id = " + sql::num(t.value("id").toLongLong()));
    t.refresh();
    if (t.isEmpty()) insertBlankLine();
    emitReset();
    return true;
}

void DocumentBuffer::recalculate() {
    auto& t = table3();
    // The lines' stores commit together: one write to the log instead of one per line.
    db::Transaction tr(conn());
    for (int r = 0; r < t.rowCount(); ++r) {
        const double celkem =
            core::lineValue(t.valueAt(r, "MNOZSTVI").toDouble(), t.valueAt(r, "NAKUPCENA").toDouble());
        if (celkem != t.valueAt(r, "CELKEM").toDouble() || t.valueAt(r, "TYP").toString() != kind_.letter)
            t.storeRow(r, {{"CELKEM", celkem}, {"TYP", kind_.letter}});
    }
    tr.commit();
    emitReset();
}

DocumentBuffer::GuardResult DocumentBuffer::guard() {
    if (!hasArticle()) return GuardResult::Continue;
    const QString a = s_.prompter().choose("Talírka", "Uložit aktuelní doklad?", ui::Icon::Question,
                                           {"ano", "ne", "storno"});
    if (a == "ano") {
        save();
        return GuardResult::Continue;
    }
    return a == "ne" ? GuardResult::Continue : GuardResult::Stop;
}

bool DocumentBuffer::novyDoklad() {
    if (guard() == GuardResult::Stop) return false;
    // The date goes back to today first, so that the number belongs to the new document's year.
    NovejDoklad();
    NOVECISLO();
    reopened_ = false;
    return true;
}

bool DocumentBuffer::konec() {
    return novyDoklad();
}

QString DocumentBuffer::reopenListStatement() const {
    return QString("select distinct CISLO ,datum,TYP from vse where TYP=\"%1\" order by CISLO")
        .arg(kind_.letter);
}

QString DocumentBuffer::reopenCopyStatement(const QString& cislo) const {
    return "insert into " + s_.dm.pracTabulka + " select * from vse where CISLO = " + sql::q(cislo) +
           " and typ = " + sql::q(kind_.letter);
}

bool DocumentBuffer::oprava(const PickDocument& pick) {
    if (guard() == GuardResult::Stop) return false;
    const auto chosen = pick ? pick(reopenListStatement()) : std::nullopt;
    if (!chosen) return false;
    reopened_ = true;
    emptyBuffer();
    conn().exec(reopenCopyStatement(*chosen));
    table3().refresh();
    table3().first();
    headerFromBuffer();
    emitReset();
    emitHeader();
    return true;
}

void DocumentBuffer::headerFromBuffer() {
    const auto& t = s_.dm.table3;
    if (t.isEmpty()) return;
    header_.CISLO = t.text("CISLO");
    header_.DODAVATEL = t.text("DODAVATEL");
    header_.ICO = t.text("ICO");
    header_.ORGJD = t.text("ORGJD");
    header_.CISLDOKL = t.text("CISLDOKL");
    header_.PROVOZOVNA = t.text("PROVOZOVNA");
    const QVariant d = t.value("DATUM");
    header_.DATUM = d.typeId() == QMetaType::QDateTime ? d.toDateTime().date() : d.toDate();
    if (!header_.DATUM.isValid()) header_.DATUM = QDate::currentDate();
    header_.PREVZAL = t.text("PREVZAL");
    header_.ROZUCTOVAL = t.text("ROZUCTOVAL");
}

QStringList DocumentBuffer::headerAssignments() const {
    const auto& h = header_;
    return {"CISLO = " + sql::q(h.CISLO),
            "TYP = " + sql::q(kind_.letter),
            "DODAVATEL = " + sql::q(h.DODAVATEL.left(DocumentHeader::DODAVATEL_len)),
            "ICO = " + sql::q(h.ICO.left(DocumentHeader::ICO_len)),
            "ORGJD = " + sql::q(h.ORGJD.left(DocumentHeader::ORGJD_len)),
            "CISLDOKL = " + sql::q(h.CISLDOKL.left(DocumentHeader::CISLDOKL_len)),
            "PROVOZOVNA = " + sql::q(h.PROVOZOVNA.left(DocumentHeader::PROVOZOVNA_len)),
            "DATUM = " + sql::datetime(h.DATUM.isValid() ? h.DATUM : QDate::currentDate()),
            "PREVZAL = " + sql::q(h.PREVZAL.left(DocumentHeader::PREVZAL_len)),
            "ROZUCTOVAL = " + sql::q(h.ROZUCTOVAL.left(DocumentHeader::ROZUCTOVAL_len))};
}

QString DocumentBuffer::takeNumberAtSave() {
    if (reopened_) return {};
    const QString number = stock::NOVECISLO(conn(), kind_, header_.DATUM);
    if (number == header_.CISLO) return {};
    const QString shown = header_.CISLO;
    conn().exec("update " + pracTabulka() + " set CISLO = " + sql::q(number));
    header_.CISLO = number;
    emitHeader();
    return shown;
}

// Balances change relative to what the card holds at that moment, in one statement per
// document: another workstation's change of the same card in between is kept. The quantities
// are summed per card here, so that the statement neither depends on how the server would group
// the movements nor changes a card twice.
void DocumentBuffer::changeBalances(const db::ResultSet& lines, int sign) {
    QStringList cards;
    QHash<QString, double> sums;
    for (int r = 0; r < lines.rowCount(); ++r) {
        const QString card = lines.text(r, "cislpoloz");
        if (!sums.contains(card)) cards << card;
        sums[card] += lines.number(r, "mnozstvi");
    }
    if (cards.isEmpty()) return;
    QStringList whens, keys;
    for (const QString& card : cards) {
        whens << "when " + sql::q(card) + " then " + sql::num(core::round4(sums[card]));
        keys << sql::q(card);
    }
    conn().exec("update sklkarta set mnoz = mnoz " + QString(sign < 0 ? "-" : "+") + " case cislokarty " +
                whens.join(" ") + " end where cislokarty in (" + keys.join(", ") + ")");
}

void DocumentBuffer::undoStored(int sign) {
    changeBalances(conn().query("select * from vse where cislo = " + sql::q(header_.CISLO) +
                                " AND TYP = " + sql::q(kind_.letter)),
                   sign);
}

void DocumentBuffer::deleteStored() {
    conn().exec("delete from vse where CISLO = " + sql::q(header_.CISLO) +
                " AND TYP = " + sql::q(kind_.letter));
}

void DocumentBuffer::insertFromBuffer(const QString& columnsLine1, const QString& columnsLine2) {
    conn().exec("insert into vse \n(" + columnsLine1 + "\n" + columnsLine2 + ")\nselect " + columnsLine1 +
                "\n" + columnsLine2 + "\nfrom " + pracTabulka());
}

void DocumentBuffer::applyBalances(int sign) {
    // Read from the table, not the client copy: the save may have changed card numbers meanwhile.
    changeBalances(conn().query("select CISLPOLOZ, MNOZSTVI from " + pracTabulka()), sign);
}

} // namespace stock
