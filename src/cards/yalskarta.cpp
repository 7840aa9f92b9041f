#include "cards/yalskarta.h"

#include "app/session.h"
#include "cards/cardopening.h"
#include "cards/formbuttons.h"

#include <QFormLayout>
#include <QLineEdit>
#include <QVBoxLayout>

namespace cards {

Tfzalkarta::Tfzalkarta(app::Session& s, QWidget* parent) : QDialog(parent), s_(s) {
    setObjectName("fzalkarta");
    setWindowTitle("Založení karty");
    auto edit = [this](const char* name, bool readOnly) {
        auto* e = new QLineEdit(this);
        e->setObjectName(name);
        e->setReadOnly(readOnly);
        return e;
    };
    Edit1 = edit("Edit1", true);
    Edit3 = edit("Edit3", true);
    Edit5 = edit("Edit5", true);
    Edit7 = edit("Edit7", true);
    Edit4 = edit("Edit4", false);
    Edit4->setText("0,00");
    Edit4->setAlignment(Qt::AlignRight);
    auto* form = new QFormLayout;
    form->addRow("Číslo karty", Edit1);
    form->addRow("Název", Edit3);
    form->addRow("MJ", Edit5);
    form->addRow("Druh", Edit7);
    form->addRow("Cena za jednotku", Edit4);
    auto* buttons = saveAndCancelButtons(this, Button1, Button2, &Tfzalkarta::suitempButton1Click);
    auto* lay = new QVBoxLayout(this);
    lay->addLayout(form);
    lay->addLayout(buttons);
    resize(420, 220);
}

void Tfzalkarta::showEvent(QShowEvent* e) {
    QDialog::showEvent(e);
    FormShow();
}

void Tfzalkarta::FormShow() {
    Edit3->setText(nazev);
    Edit5->setText(mj);
    Edit7->setText(jkpov.left(3));
    Edit4->setFocus();
    Edit4->selectAll();
}

void Tfzalkarta::suitempButton1Click() {
    const auto number = CardOpening::save(s_, {jkpov, nazev, mj, stredisko, 0}, Edit4->text(), QDate::currentDate());
    if (!number) {
        Edit4->setFocus();
        Edit4->selectAll();
        return;
    }
    Edit1->setText(*number);
    accept();
}

} // namespace cards
