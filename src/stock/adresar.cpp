#include "stock/adresar.h"

#include "stock/formwidgets.h"
#include "ui/datagrid.h"
#include "ui/searchdialog.h"

#include <QAction>
#include <QEvent>
#include <QFontMetrics>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace stock {

using form::button;

TForm2::TForm2(app::Session& s, QWidget* parent) : QDialog(parent), s_(s), book_(s), model_(s.dm.table1) {
    setObjectName("TForm2");
    setWindowTitle("Adresář");
    resize(900, 480);
    book_.FormShow();

    Panel1 = button(this, "Panel1", "Název firmy");
    Panel7 = button(this, "Panel7", "IČO");
    auto* titles = new QHBoxLayout;
    titles->addWidget(Panel1);
    titles->addWidget(Panel7);
    titles->addStretch();

    DBGrid1 = new ui::DataGrid(this);
    DBGrid1->setObjectName("DBGrid1");
    model_.setColumns({{"NAZEVPODNI", "Název firmy", {}, false, 220, {}},
                       {"SIDLO", "Sídlo", {}, false, 160, {}},
                       {"ULICECISLO", "Číslo ulice", {}, false, 160, {}},
                       {"PSC", "PSČ", {}, false, 60, {}},
                       {"MISTO", "Místo", {}, false, 140, {}},
                       {"ICO", "IČO", {}, false, 90, {}}});
    DBGrid1->setDatasetModel(&model_);
    DBGrid1->horizontalHeader()->setStretchLastSection(true);
    DBGrid1->setClickableTitles({"NAZEVPODNI", "ICO"});
    connect(DBGrid1, &ui::DataGrid::titleClicked, this, &TForm2::hledat);
    connect(DBGrid1, &ui::DataGrid::rowDoubleClicked, this, [this](int) {
        if (takeOver_) prevzit();
    });

    // The side panel.
    Panel2 = new QGroupBox("Přidat do adresáře", this);
    Panel2->setObjectName("Panel2");
    auto* form = new QFormLayout(Panel2);
    auto field = [this, form](const QString& name, const QString& caption, int maxLength) {
        auto* e = form::lineEdit(Panel2, name, maxLength);
        auto* l = new QLabel(caption, Panel2);
        // Room for the bold caption it gets while its field has the focus.
        QFont bold = l->font();
        bold.setBold(true);
        l->setMinimumWidth(QFontMetrics(bold).horizontalAdvance(caption) + 2);
        form->addRow(l, e);
        e->installEventFilter(this);
        fieldLabels_.push_back({e, l});
        return e;
    };
    Edit1 = field("Edit1", "Název firmy", Supplier::NAZEVPODNI_len);
    Edit2 = field("Edit2", "Sídlo", Supplier::SIDLO_len);
    Edit3 = field("Edit3", "Ulice číslo", Supplier::ULICECISLO_len);
    Edit4 = field("Edit4", "PSČ:", Supplier::PSC_len);
    Edit5 = field("Edit5", "Místo", Supplier::MISTO_len);
    Edit6 = field("Edit6", "IČO", Supplier::ICO_len);
    Button6 = button(Panel2, "Button6", "Přidat");
    Button3 = button(Panel2, "Button3", "Zpět");
    auto* panelButtons = new QHBoxLayout;
    panelButtons->addWidget(Button6);
    panelButtons->addWidget(Button3);
    form->addRow(panelButtons);

    Button1 = button(this, "Button1", "převzít");
    Button2 = button(this, "Button2", "Zpět");
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(Button1);
    buttons->addWidget(Button2);

    auto* middle = new QHBoxLayout;
    auto* left = new QVBoxLayout;
    left->addLayout(titles);
    left->addWidget(DBGrid1, 1);
    middle->addLayout(left, 1);
    middle->addWidget(Panel2);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(middle, 1);
    layout->addLayout(buttons);

    DBGrid1->setContextMenuPolicy(Qt::ActionsContextMenu);
    const struct {
        const char* name;
        const char* caption;
        void (TForm2::*slot)();
    } commands[] = {{"Pidatvtu1", "Přidat větu", &TForm2::Pidatvtu1Click},
                    {"Opravitoznaenouvtu1", "Opravit označenou větu", &TForm2::Opravitoznaenouvtu1Click},
                    {"Smazatoznaenouvtu1", "Smazat označenou větu", &TForm2::Smazatoznaenouvtu1Click}};
    for (const auto& c : commands) {
        auto* a = new QAction(c.caption, this);
        a->setObjectName(c.name);
        connect(a, &QAction::triggered, this, c.slot);
        DBGrid1->addAction(a);
    }

    connect(Panel1, &QPushButton::clicked, this, [this] { hledat("NAZEVPODNI"); });
    connect(Panel7, &QPushButton::clicked, this, [this] { hledat("ICO"); });
    connect(Button6, &QPushButton::clicked, this, &TForm2::suitempButton6Click);
    connect(Button3, &QPushButton::clicked, this, [this] { showPanel(false); });
    connect(Button1, &QPushButton::clicked, this, &TForm2::prevzit);
    connect(Button2, &QPushButton::clicked, this, &QDialog::reject);

    execSearch = [](QDialog& d) { return d.exec(); };
    showPanel(false);
}

void TForm2::setTakeOver(bool on) {
    takeOver_ = on;
    Button1->setVisible(on);
}

void TForm2::showEvent(QShowEvent* e) {
    QDialog::showEvent(e);
    FormShow();
}

void TForm2::FormShow() {
    showPanel(false);
    book_.FormShow();
    reloadGrid();
}

bool TForm2::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::FocusIn || event->type() == QEvent::FocusOut)
        for (const auto& [edit, label] : fieldLabels_)
            if (edit == watched) {
                QFont f = label->font();
                f.setBold(event->type() == QEvent::FocusIn);
                label->setFont(f);
            }
    return QDialog::eventFilter(watched, event);
}

void TForm2::reloadGrid() {
    model_.reload();
    DBGrid1->syncToDataset();
}

void TForm2::showPanel(bool open) {
    const bool correcting = book_.mode == AddressBook::Correcting;
    Button6->setText(correcting ? "Uložit" : "Přidat");
    Button6->setProperty("Tag", int(book_.mode));
    Panel2->setTitle(correcting ? "Opravit větu" : "Přidat do adresáře");
    Panel2->setVisible(open);
}

void TForm2::panelToFields() {
    Edit1->setText(book_.panel.NAZEVPODNI);
    Edit2->setText(book_.panel.SIDLO);
    Edit3->setText(book_.panel.ULICECISLO);
    Edit4->setText(book_.panel.PSC);
    Edit5->setText(book_.panel.MISTO);
    Edit6->setText(book_.panel.ICO);
}

void TForm2::fieldsToPanel() {
    book_.panel = {Edit1->text(), Edit2->text(), Edit3->text(), Edit4->text(), Edit5->text(), Edit6->text()};
}

void TForm2::Pidatvtu1Click() {
    book_.Pidatvtu1();
    panelToFields();
    showPanel(true);
    Edit1->setFocus();
}

void TForm2::Opravitoznaenouvtu1Click() {
    if (!book_.Opravitoznaenouvtu1()) return;
    panelToFields();
    showPanel(true);
    Edit1->setFocus();
}

void TForm2::Smazatoznaenouvtu1Click() {
    if (book_.Smazatoznaenouvtu1()) reloadGrid();
}

void TForm2::suitempButton6Click() {
    fieldsToPanel();
    book_.suitempButton6Click();
    panelToFields();
    reloadGrid();
    showPanel(false);
}

void TForm2::prevzit() {
    taken_ = book_.current();
    if (taken_) accept();
}

void TForm2::hledat(const QString& field) {
    auto& t = book_.table1();
    if (!t.isOpen()) return;
    ui::SearchDialog d(t, {"NAZEVPODNI", "ICO"}, field, true, this);
    d.setObjectName("Hledat");
    if (execSearch(d) && d.foundRow() >= 0) {
        t.setRecNo(d.foundRow());
        DBGrid1->syncToDataset();
    }
}

} // namespace stock
