#pragma once

#include "app/session.h"
#include "db/dataset.h"

#include <QDate>
#include <QString>
#include <QStringList>
#include <functional>
#include <optional>

namespace stock {

// What tells receipts and issues apart in numbering and in the movement table.
struct DocumentKind {
    QString prefix; // "20" receipts, "21" issues
    QString letter; // TYP: "P" receipts, "V" issues
    static DocumentKind receipt() { return {"20", "P"}; }
    static DocumentKind issue() { return {"21", "V"}; }
};

// The header fields of a document window (the receipt and the issue share their names).
struct DocumentHeader {
    QString CISLO;      // Edit2
    QString DODAVATEL;  // Edit4
    QString ICO;        // MaskEdit2
    QString ORGJD;      // Edit3
    QString CISLDOKL;   // Edit1
    QString PROVOZOVNA; // Edit5
    QDate DATUM;        // DateEdit1
    QString PREVZAL;    // Edit6
    QString ROZUCTOVAL; // Edit7
    QString POPIS;      // Memo1 (issue only)

    // The lengths of the columns of vse the fields go into; the windows' fields accept no more.
    enum Limit {
        ICO_len = 8,
        DODAVATEL_len = 30,
        ORGJD_len = 50,
        CISLDOKL_len = 10,
        PROVOZOVNA_len = 30,
        PREVZAL_len = 20,
        ROZUCTOVAL_len = 20,
        POPIS_len = 600
    };
};

// The next document number for the date: prefix, two-digit year, sequence from 0001. A document
// counts for the year by its date or by the year digits of its number.
QString NOVECISLO(db::Connection& c, const DocumentKind& kind, const QDate& date);
QString numberingStatement(const DocumentKind& kind, const QDate& date);

// Serialises the saving of documents over all workstations of the database, so that the number
// taken at save time cannot be taken by another workstation at the same moment. A named server
// lock: it is not part of the transaction and is released when this goes out of scope.
class DocumentSaveLock {
public:
    explicit DocumentSaveLock(db::Connection& c, int timeoutSeconds = defaultTimeout);
    ~DocumentSaveLock();
    DocumentSaveLock(const DocumentSaveLock&) = delete;
    DocumentSaveLock& operator=(const DocumentSaveLock&) = delete;
    bool acquired() const { return acquired_; }

    static inline int defaultTimeout = 15;

private:
    db::Connection& c_;
    bool acquired_ = false;
};

// The workstation document buffer (table3 over pracTabulka) and the commands both document
// windows share: numbering, new document, lines, recalculation, the unsaved-document guard,
// reopening and the pieces of saving. Widget-free: the window shows what the callbacks report.
class DocumentBuffer {
public:
    DocumentBuffer(app::Session& s, DocumentKind kind);
    virtual ~DocumentBuffer() = default;

    app::Session& session() { return s_; }
    db::Connection& conn() { return s_.conn(); }
    db::Dataset& table3() { return s_.dm.table3; }
    const DocumentKind& kind() const { return kind_; }
    const QString& pracTabulka() const { return s_.dm.pracTabulka; }

    DocumentHeader& header() { return header_; }
    bool reopened() const { return reopened_; }
    void setReopened(bool on) { reopened_ = on; }

    // Computes the next number of the header's date into the header.
    void NOVECISLO();
    // Empty buffer with one blank line; header cleared except the establishment; date today.
    virtual void NovejDoklad();
    // Leaving the date field renumbers a new document.
    virtual void DateEdit1Exit();

    // Buffer lines.
    bool isBlank(int row) const; // no article on the line
    bool hasArticle() const;     // some line carries an article
    int lineCount() const { return s_.dm.table3.rowCount(); }
    // Adds a blank line unless the last line is blank; true when one was added (the cursor is then
    // on it). selectedColumn is the grid column the command was given in.
    bool newLine(const QString& selectedColumn = {});
    // The receipt's line deletion: asks, deletes the current line, keeps one blank line.
    bool deleteLine();
    // CELKEM = MNOZSTVI x NAKUPCENA to two places and TYP of every line.
    void recalculate();

    // The unsaved-document guard: "ano" saves and goes on, "ne" goes on, "storno" stops.
    enum class GuardResult { Continue, Stop };
    GuardResult guard();
    // "Nový doklad": guard, then a new numbered document. False on "storno".
    virtual bool novyDoklad();
    // "Konec": "Nový doklad" with its guard; true when the window may close.
    bool konec();
    // "Oprava": guard, the pick list (pick gets its statement and returns the chosen CISLO), then
    // the stored document in the buffer and its header in the window. False when nothing reopened.
    using PickDocument = std::function<std::optional<QString>(const QString& listStatement)>;
    virtual bool oprava(const PickDocument& pick);
    virtual QString reopenListStatement() const;
    virtual QString reopenCopyStatement(const QString& cislo) const;

    virtual bool save() = 0;

    // Reported to the window.
    std::function<void()> bufferReset;   // table3 was reopened or refreshed: reload the grid
    std::function<void()> headerChanged; // the header values changed: show them
    std::function<void()> print;         // the document print (after saving and on "Tisk")

protected:
    // Pieces of saving, in the order both windows run them.
    // The header assignments "COL = value" common to every line (text limited to its column).
    QStringList headerAssignments() const;
    // Inside the save transaction: a new document takes the next free number now. Returns the
    // number shown before when it had to change, else empty.
    QString takeNumberAtSave();
    // Takes the stored version's quantities back from the cards (sign -1 for receipts).
    void undoStored(int sign);
    void deleteStored();
    // The buffer into vse: "insert into vse (columns) select columns from {pracTabulka}", the
    // column lists written as the two given lines each.
    void insertFromBuffer(const QString& columnsLine1, const QString& columnsLine2);
    // The buffer lines' quantities onto their cards (sign +1 for receipts).
    void applyBalances(int sign);
    // Adds (sign +1) or takes (-1) the quantities of the lines (columns cislpoloz, mnozstvi) to or
    // from their cards.
    void changeBalances(const db::ResultSet& lines, int sign);
    void refreshBuffer();
    // An empty buffer: created afresh when it is not open yet, else emptied.
    void emptyBuffer();
    void insertBlankLine();
    void emitReset() {
        if (bufferReset) bufferReset();
    }
    void emitHeader() {
        if (headerChanged) headerChanged();
    }
    // Called by newLine before it adds a line (the receipt derives the price in total mode).
    virtual void beforeNewLine(const QString& selectedColumn) { Q_UNUSED(selectedColumn); }
    // Header values from the buffer's current line after reopening.
    virtual void headerFromBuffer();

    app::Session& s_;
    DocumentKind kind_;
    DocumentHeader header_;
    bool reopened_ = false;
};

} // namespace stock
