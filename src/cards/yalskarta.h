#pragma once

#include <QDialog>

class QLineEdit;
class QPushButton;

namespace app {
class Session;
}

namespace cards {

// "Založení karty": a stock card opened by hand for the browser's current article. After OK the
// new card number is in Edit1.
class Tfzalkarta : public QDialog {
    Q_OBJECT
public:
    explicit Tfzalkarta(app::Session& s, QWidget* parent = nullptr);

    // The article (the browser's current price-list row) and the receipt's středisko.
    QString jkpov, nazev, mj, stredisko;

    QLineEdit* Edit1 = nullptr;   // "Číslo karty"
    QLineEdit* Edit3 = nullptr;   // "Název"
    QLineEdit* Edit5 = nullptr;   // "MJ"
    QLineEdit* Edit7 = nullptr;   // "Druh"
    QLineEdit* Edit4 = nullptr;   // "Cena za jednotku"
    QPushButton* Button1 = nullptr;   // "Uložit"
    QPushButton* Button2 = nullptr;   // "storno"

    void FormShow();
    void suitempButton1Click();

protected:
    void showEvent(QShowEvent* e) override;

private:
    app::Session& s_;
};

} // namespace cards
