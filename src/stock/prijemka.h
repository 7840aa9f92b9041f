#pragma once

#include "db/datasetmodel.h"
#include "stock/receiptdocument.h"

#include <QDialog>
#include <QModelIndex>

class QAction;
class QCheckBox;
class QDateEdit;
class QLabel;
class QLineEdit;
class QPushButton;
class QToolButton;

namespace app {
class Session;
}
namespace ui {
class DataGrid;
}

namespace stock {

// "Pohyb zboží" / "Příjemka": the goods receipt. The data work is ReceiptDocument's; this window
// shows the header and the buffer grid and forwards the commands.
class TForm1 : public QDialog {
    Q_OBJECT
public:
    explicit TForm1(app::Session& s, QWidget* parent = nullptr);
    ~TForm1() override;

    ReceiptDocument& document() { return doc_; }
    db::DatasetModel& gridModel() { return model_; }

    // Header.
    QLineEdit* Edit2;     // "Číslo:"
    QLineEdit* Edit4;     // "Dodavatel:"
    QLineEdit* MaskEdit2; // "IČO:"
    QLineEdit* Edit3;     // "Sídlo:"
    QLineEdit* Edit1;     // "Čis. dokl. dod. :"
    QLineEdit* Edit5;     // "Středisko:"
    QDateEdit* DateEdit1; // "Datum:"
    QLineEdit* Edit6;     // "Převzal:"
    QLineEdit* Edit7;     // "Rozúčtoval:"
    QPushButton* Button1; // "?" address book
    // Grid and its title buttons.
    ui::DataGrid* suitempDBGrid1;
    QPushButton* Button7; // "Číslo zboží"
    QPushButton* Panel5;  // "Číslo karty"
    QPushButton* Panel6;  // "Popis zboží"
    QCheckBox* vpc;       // "cena z celkem"
    // Commands.
    QPushButton* suitempButton2; // "Nový doklad"
    QPushButton* suitempButton5; // "Oprava"
    QPushButton* suitempButton3; // "Uložit doklad"
    QPushButton* suitempButton8; // "Tisk"
    QPushButton* suitempButton6; // "Konec"
    QPushButton* suitempButton4; // "nový řádek"
    QPushButton* suitempButton9; // "smazat řádek"
    QPushButton* suiButton1;     // "přepočítat"

    // The date the main window gives a new receipt (today).
    void setDate(const QDate& d);

    // Handlers, named after their controls.
    void FormShow();
    void suitempButton1Click(); // "?"
    void suitempButton2Click(); // "Nový doklad"
    void suitempButton3Click(); // "Uložit doklad"
    void suitempButton5Click(); // "Oprava"
    void suitempButton6Click(); // "Konec"
    void suitempButton7Click(); // "Číslo zboží": browser mode 0
    void suitempPanel5Click();  // "Číslo karty": mode 1
    void suitempPanel6Click();  // "Popis zboží": mode 2
    void suitempButton8Click(); // "Tisk"
    void Nodka1Click();         // "Nový řádek"
    void Smazatdku1Click();     // "Smazat řádek"
    void suiButton1Click();     // "přepočítat"
    void DateEdit1Exit();
    void suitempDBGrid1ColExit(int row, const QString& column);

    // The grid column of a field, -1 when missing.
    int gridColumn(const QString& field) const;

protected:
    void showEvent(QShowEvent* e) override;
    void done(int r) override;

private:
    void build();
    void buildColumns();
    void showHeader();
    void showBuffer();
    void commitGridEdit();
    void pickCard(int mode);
    void editQuantity();
    QAction* addCommand(const QString& name, const QString& caption, const QKeySequence& key,
                        void (TForm1::*slot)());

    app::Session& s_;
    ReceiptDocument doc_;
    db::DatasetModel model_;
    int shownRows_ = -1;
    bool shown_ = false;
    bool syncing_ = false;
    bool inPlace_ = false;
};

} // namespace stock
