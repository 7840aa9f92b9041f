#pragma once

#include "cards/articleeditor.h"

#include <QDialog>
#include <array>

class QComboBox;
class QLineEdit;
class QPushButton;
class QToolButton;
class QWidget;

namespace app {
class Session;
}

namespace cards {

// "Nové zboží": a new article of the price list (Tag 0) or the correction of the article with
// the key cenikId (Tag not 0). After OK the article number is in Edit1.
class TForm17 : public QDialog {
    Q_OBJECT
public:
    explicit TForm17(app::Session& s, QWidget* parent = nullptr);

    int Tag = 0;
    int cenikId = 0;

    QLineEdit* suiNumberEdit3 = nullptr;   // "Druh"
    QLineEdit* Edit1 = nullptr;            // "Číslo"
    QLineEdit* Edit3 = nullptr;            // "Název"
    QLineEdit* Edit5 = nullptr;            // "MJ"
    std::array<QLineEdit*, 4> kosSkup{};   // suiNumberEdit1, 4, 6, 8
    std::array<QLineEdit*, 4> kosKoef{};   // suiNumberEdit2, 5, 7, 9
    std::array<QComboBox*, 8> alergen{};   // suiComboBox1 .. suiComboBox8
    QWidget* Panel1 = nullptr;             // "Další alergeny" (allergens 4 to 8)
    QToolButton* SpeedButton1 = nullptr;   // opens and collapses it
    QPushButton* Button1 = nullptr;        // "Uložit"
    QPushButton* Button2 = nullptr;        // "storno"

    void FormShow();
    void suitempButton1Click();

protected:
    void showEvent(QShowEvent* e) override;

private:
    void build();
    Article fromFields() const;
    void selectAllergen(QComboBox* box, int number);

    app::Session& s_;
    ArticleEditor editor_;
};

} // namespace cards
