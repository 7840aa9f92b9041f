#pragma once

#include "stock/documentbuffer.h"

#include <functional>

namespace stock {

// What the receipt window TForm1 does to data: the document buffer with the receipt's rules —
// the establishment check before picks, the total-price mode, finding and opening cards at a new
// price, the card-count warning and saving into vse with the card balances raised.
class ReceiptDocument : public DocumentBuffer {
public:
    explicit ReceiptDocument(app::Session& s);

    // Total-price mode ("cena z celkem").
    bool vpc = false;
    // Whether the CELKEM column may be edited: set by the last pick (total-price mode at the time).
    bool CELKEMeditable = false;

    // The window's FormShow: the card-count warning, then a new numbered document.
    void FormShow();
    void Kontrola_karet();
    // The main window's "Rušení nulových skl.karet  starších dvou let"; the service part installs it.
    static inline std::function<void(app::Session&)> cleanupOldEmptyCards;

    // "Středisko:" must hold an integer before a card is picked; false stops the pick.
    bool mayPick();
    // "Číslo zboží" on an empty buffer first adds a blank line.
    void beforeArticlePick();
    // Where the browser opens: the current line's article and card.
    struct BrowserPosition {
        bool najdi = false;
        QString najdi_jkpov, najdi_kartu;
    };
    BrowserPosition browserPosition() const;
    // The browser took a card over into the current line.
    void afterTakeOver();

    // Leaving a grid column on a line: derive the price from the total, or the total from the price.
    void colExit(int row, const QString& column);
    // A card of the line's article at the line's price, the one with the largest balance.
    void vyhledej_kartu(int row);
    // Saving: opens the cards missing at new prices with their "Z" movements.
    void dopln_karty();

    bool save() override;

    // Edit5.Text and vpc.Checked in the per-workstation settings (section TForm1).
    void loadSettings();
    void saveSettings();

    static QString insertColumns1() {
        return "CISLO,TYP,ICO,DODAVATEL, ORGJD, CISLDOKL,PROVOZOVNA,DATUM,CISLPOLOZ,";
    }
    static QString insertColumns2() {
        return "jkpov, text, mnozstvi, nakupcena, celkem, prevzal, rozuctoval, popis, mj";
    }

protected:
    void beforeNewLine(const QString& selectedColumn) override;

private:
    void deriveFromTotal(int row);
};

} // namespace stock
