#pragma once

#include "app/session.h"

#include <QString>
#include <optional>

namespace stock {

// A supplier of the address book (table adresar).
struct Supplier {
    QString NAZEVPODNI; // "Název firmy", 50
    QString SIDLO;      // "Sídlo", 50
    QString ULICECISLO; // "Ulice číslo", 50
    QString PSC;        // "PSČ:", 6
    QString MISTO;      // "Místo", 30
    QString ICO;        // "IČO", 10
    enum Limit {
        NAZEVPODNI_len = 50,
        SIDLO_len = 50,
        ULICECISLO_len = 50,
        PSC_len = 6,
        MISTO_len = 30,
        ICO_len = 10
    };
};

// What the address book window TForm2 does to data: the list (table1 of the data module), the
// side panel's adding and correcting, deleting. Widget-free.
class AddressBook {
public:
    explicit AddressBook(app::Session& s) : s_(s) {}

    db::Dataset& table1() { return s_.dm.table1; }

    // The side panel: its fields and its mode (the Tag of "Přidat" / "Uložit").
    enum Mode { Adding = 0, Correcting = 1 };
    Supplier panel;
    Mode mode = Adding;

    void FormShow();            // opens table1 when it is closed
    void Pidatvtu1();           // "Přidat větu": empty panel, adding
    bool Opravitoznaenouvtu1(); // "Opravit označenou větu": the current supplier, correcting
    bool Smazatoznaenouvtu1();  // "Smazat označenou větu": asks, deletes the current supplier
    // "Přidat" / "Uložit": stores the panel; returns the id of the row stored.
    long long suitempButton6Click();

    // The current row, for the take-over into the receipt.
    std::optional<Supplier> current() const;

    static QString updateStatement(const Supplier& v, long long id);

private:
    app::Session& s_;
    long long correcting_ = -1; // the row the panel was filled from
};

} // namespace stock
