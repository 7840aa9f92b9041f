#include "cards/yalskarta.h"

#include "app/session.h"
#include "cards/cardopening.h"

#include <QFormLayout>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
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
    Button1 = new QPushButton("Uložit", this);
    Button1->setObjectName("Button1");
    Button1->setDefault(true);
    Button2 = new QPushButton("storno", this);
    Button2->setObjectName("Button2");
    connect(Button1, &QPushButton::clicked, this, &Tfzalkarta::suitempButton1Click);
    connect(Button2, &QPushButton::clicked, this, &QDialog::reject);

    auto* form = new QFormLayout;
    form->addRow("Číslo karty", Edit1);
    form->addRow("Název", Edit3);
    form->addRow("MJ", Edit5);
    form->addRow("Druh", Edit7);
    form->addRow("Cena za jednotku", Edit4);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(Button1);
    buttons->addWidget(Button2);
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
