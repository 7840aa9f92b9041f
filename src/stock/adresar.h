#pragma once

#include "db/datasetmodel.h"
#include "stock/addressbook.h"

#include <QDialog>
#include <optional>

class QAction;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace ui {
class DataGrid;
}

namespace stock {

// "Adresář": the suppliers. From the receipt "převzít" (or a double-click) hands the current
// supplier over; from the main menu it only keeps the list (setTakeOver(false)).
class TForm2 : public QDialog {
    Q_OBJECT
public:
    explicit TForm2(app::Session& s, QWidget* parent = nullptr);

    AddressBook& book() { return book_; }
    // The main menu switches the double-click off and hides "převzít".
    void setTakeOver(bool on);
    bool takeOver() const { return takeOver_; }
    // The supplier handed over with "převzít".
    const std::optional<Supplier>& taken() const { return taken_; }

    ui::DataGrid* DBGrid1;
    QPushButton* Panel1;  // title "Název firmy": search
    QPushButton* Panel7;  // title "IČO": search
    QPushButton* Button1; // "převzít"
    QPushButton* Button2; // "Zpět"
    QGroupBox* Panel2;    // the side panel
    QLineEdit* Edit1;     // "Název firmy"
    QLineEdit* Edit2;     // "Sídlo"
    QLineEdit* Edit3;     // "Ulice číslo"
    QLineEdit* Edit4;     // "PSČ:"
    QLineEdit* Edit5;     // "Místo"
    QLineEdit* Edit6;     // "IČO"
    QPushButton* Button6; // "Přidat" / "Uložit"
    QPushButton* Button3; // "Zpět" of the panel

    void FormShow();
    void Pidatvtu1Click();
    void Opravitoznaenouvtu1Click();
    void Smazatoznaenouvtu1Click();
    void suitempButton6Click();
    void prevzit();
    // Opens "Hledat" on NAZEVPODNI or ICO and moves to the supplier taken there.
    void hledat(const QString& field);
    // The dialog's run for the search; replaceable so that a test can answer it.
    std::function<int(QDialog&)> execSearch;

protected:
    void showEvent(QShowEvent* e) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void showPanel(bool open);
    void panelToFields();
    void fieldsToPanel();
    void reloadGrid();

    app::Session& s_;
    AddressBook book_;
    db::DatasetModel model_;
    QList<QPair<QLineEdit*, QLabel*>> fieldLabels_;
    std::optional<Supplier> taken_;
    bool takeOver_ = true;
};

} // namespace stock
