#include "cards/zalzbozi.h"

#include "app/session.h"
#include "cards/formbuttons.h"
#include "core/numformat.h"

#include <QComboBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpressionValidator>
#include <QToolButton>
#include <QVBoxLayout>

namespace cards {

TForm17::TForm17(app::Session& s, QWidget* parent) : QDialog(parent), s_(s), editor_(s) { build(); }

void TForm17::build() {
    setObjectName("Form17");
    setWindowTitle("Nové zboží");
    auto edit = [this](const char* name) {
        auto* e = new QLineEdit(this);
        e->setObjectName(name);
        return e;
    };
    suiNumberEdit3 = edit("suiNumberEdit3");
    suiNumberEdit3->setValidator(new QRegularExpressionValidator(QRegularExpression("\\d{0,3}"), this));
    suiNumberEdit3->setMaximumWidth(60);
    Edit1 = edit("Edit1");
    Edit1->setReadOnly(true);
    Edit1->setMaximumWidth(90);
    Edit3 = edit("Edit3");
    Edit3->setMaxLength(ArticleEditor::nazevLength);
    Edit5 = edit("Edit5");
    Edit5->setMaxLength(ArticleEditor::mjLength);
    Edit5->setMaximumWidth(90);

    const char* skupNames[] = {"suiNumberEdit1", "suiNumberEdit4", "suiNumberEdit6", "suiNumberEdit8"};
    const char* koefNames[] = {"suiNumberEdit2", "suiNumberEdit5", "suiNumberEdit7", "suiNumberEdit9"};
    auto* basket = new QGridLayout;
    for (int i = 0; i < 4; ++i) {
        kosSkup[i] = edit(skupNames[i]);
        kosSkup[i]->setValidator(new QRegularExpressionValidator(QRegularExpression("\\d{0,2}"), this));
        kosSkup[i]->setMaximumWidth(50);
        kosKoef[i] = edit(koefNames[i]);
        kosKoef[i]->setValidator(new QRegularExpressionValidator(QRegularExpression("\\d{0,2}([,.]\\d{0,3})?"), this));
        kosKoef[i]->setMaximumWidth(80);
        basket->addWidget(new QLabel(QString("Koš skup., koef. %1").arg(i + 1), this), i, 0);
        basket->addWidget(kosSkup[i], i, 1);
        basket->addWidget(kosKoef[i], i, 2);
    }

    Panel1 = new QWidget(this);
    Panel1->setObjectName("Panel1");
    auto* more = new QFormLayout(Panel1);
    more->setContentsMargins(0, 0, 0, 0);
    auto* main = new QFormLayout;
    for (int i = 0; i < 8; ++i) {
        alergen[i] = new QComboBox(i < 3 ? static_cast<QWidget*>(this) : Panel1);
        alergen[i]->setObjectName(QString("suiComboBox%1").arg(i + 1));
        alergen[i]->setEditable(false);
        const QString caption = i == 0 ? QString("Alergen") : QString("Alergen %1").arg(i + 1);
        (i < 3 ? main : more)->addRow(caption, alergen[i]);
    }
    SpeedButton1 = new QToolButton(this);
    SpeedButton1->setObjectName("SpeedButton1");
    SpeedButton1->setText("Další alergeny");
    SpeedButton1->setCheckable(true);
    SpeedButton1->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    SpeedButton1->setArrowType(Qt::RightArrow);
    connect(SpeedButton1, &QToolButton::toggled, this, [this](bool open) {
        Panel1->setVisible(open);
        SpeedButton1->setArrowType(open ? Qt::DownArrow : Qt::RightArrow);
    });

    auto* head = new QFormLayout;
    head->addRow("Druh", suiNumberEdit3);
    head->addRow("Číslo", Edit1);
    head->addRow("Název", Edit3);
    head->addRow("MJ", Edit5);
    auto* buttons = saveAndCancelButtons(this, Button1, Button2, &TForm17::suitempButton1Click);
    auto* lay = new QVBoxLayout(this);
    lay->addLayout(head);
    lay->addLayout(basket);
    lay->addLayout(main);
    lay->addWidget(SpeedButton1);
    lay->addWidget(Panel1);
    lay->addStretch();
    lay->addLayout(buttons);
    Panel1->setVisible(false);
    resize(480, 420);
}

void TForm17::showEvent(QShowEvent* e) {
    QDialog::showEvent(e);
    FormShow();
}

void TForm17::selectAllergen(QComboBox* box, int number) {
    for (int i = 0; i < box->count(); ++i)
        if (ArticleEditor::allergenNumber(box->itemText(i)) == number) {
            box->setCurrentIndex(i);
            return;
        }
    // A number the allergen table does not know stays as it is stored.
    box->addItem(QString("%1.").arg(number));
    box->setCurrentIndex(box->count() - 1);
}

void TForm17::FormShow() {
    const QStringList items = editor_.allergenItems();
    for (auto* box : alergen) {
        box->clear();
        box->addItems(items);
    }
    SpeedButton1->setChecked(false);
    if (Tag == 0) {
        for (auto* box : alergen) box->setCurrentIndex(box->count() > 0 ? 0 : -1);
        suiNumberEdit3->setText("000");
        Edit1->clear();
        Edit3->clear();
        Edit5->clear();
        for (int i = 0; i < 4; ++i) {
            kosSkup[i]->setText("0");
            kosKoef[i]->setText("0,000");
        }
        suiNumberEdit3->setEnabled(true);
        Edit3->setEnabled(true);
        Edit5->setEnabled(true);
        suiNumberEdit3->setFocus();
        return;
    }
    const Article a = editor_.load(cenikId);
    suiNumberEdit3->setText(a.druh);
    Edit1->setText(a.jkpov);
    Edit3->setText(a.nazev);
    Edit5->setText(a.mj);
    for (int i = 0; i < 4; ++i) {
        kosSkup[i]->setText(QString::number(a.kosSkup[i]));
        kosKoef[i]->setText(core::formatNumber(a.kosKoef[i], "0.000"));
    }
    for (int i = 0; i < 8; ++i) selectAllergen(alergen[i], a.alergen[i]);
    suiNumberEdit3->setEnabled(false);
    Edit3->setEnabled(false);
    Edit5->setEnabled(false);
}

Article TForm17::fromFields() const {
    Article a;
    a.druh = suiNumberEdit3->text();
    a.jkpov = Edit1->text();
    a.nazev = Edit3->text();
    a.mj = Edit5->text();
    for (int i = 0; i < 4; ++i) {
        a.kosSkup[i] = kosSkup[i]->text().trimmed().toInt();
        a.kosKoef[i] = core::parseNumber(kosKoef[i]->text()).value_or(0.0);
    }
    for (int i = 0; i < 8; ++i) a.alergen[i] = ArticleEditor::allergenNumber(alergen[i]->currentText());
    return a;
}

void TForm17::suitempButton1Click() {
    Article a = fromFields();
    if (!editor_.save(a, Tag == 0 ? 0 : cenikId)) {
        if (Tag == 0 && a.nazev.trimmed().isEmpty()) Edit3->setFocus();
        else if (Tag == 0 && a.mj.trimmed().isEmpty()) Edit5->setFocus();
        return;
    }
    suiNumberEdit3->setText(a.druh);
    Edit1->setText(a.jkpov);
    accept();
}

} // namespace cards
