#include "stock/prijemka.h"

#include "app/session.h"
#include "cards/skarta.h"
#include "stock/adresar.h"
#include "stock/formwidgets.h"
#include "stock/gridkeys.h"
#include "stock/oprava.h"
#include "stock/qtisk2.h"
#include "ui/datagrid.h"
#include "ui/rowstoreerror.h"
#include "ui/windowstate.h"

#include <QAction>
#include <QCheckBox>
#include <QDateEdit>
#include <QFormLayout>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalBlocker>
#include <QToolButton>
#include <QVBoxLayout>

namespace stock {

using form::button;
using form::lineEdit;

TForm1::TForm1(app::Session& s, QWidget* parent) : QDialog(parent), s_(s), doc_(s), model_(s.dm.table3) {
    setObjectName("TForm1");
    setWindowTitle("Pohyb zboží");
    build();
    doc_.headerChanged = [this] { showHeader(); };
    doc_.bufferReset = [this] { showBuffer(); };
    doc_.print = [this] { printDocument(s_, this); };
    doc_.loadSettings();
    {
        const QSignalBlocker b(vpc);
        vpc->setChecked(doc_.vpc);
    }
    ui::WindowState::restore(this, s_.settings);
}

TForm1::~TForm1() = default;

void TForm1::build() {
    resize(900, 620);
    auto* title = new QLabel("Pohyb zboží", this);
    title->setObjectName("Label10");
    auto* kind = new QLabel("Příjemka", this);
    kind->setObjectName("Label11");
    QFont big = title->font();
    big.setPointSize(big.pointSize() + 4);
    big.setBold(true);
    title->setFont(big);
    kind->setFont(big);

    Edit2 = lineEdit(this, "Edit2", 8);
    Edit2->setReadOnly(true);
    Edit4 = lineEdit(this, "Edit4", DocumentHeader::DODAVATEL_len);
    MaskEdit2 = lineEdit(this, "MaskEdit2", DocumentHeader::ICO_len);
    Edit3 = lineEdit(this, "Edit3", DocumentHeader::ORGJD_len);
    Edit1 = lineEdit(this, "Edit1", DocumentHeader::CISLDOKL_len);
    Edit5 = lineEdit(this, "Edit5", DocumentHeader::PROVOZOVNA_len);
    Edit6 = lineEdit(this, "Edit6", DocumentHeader::PREVZAL_len);
    Edit7 = lineEdit(this, "Edit7", DocumentHeader::ROZUCTOVAL_len);
    DateEdit1 = new QDateEdit(QDate::currentDate(), this);
    DateEdit1->setObjectName("DateEdit1");
    DateEdit1->setCalendarPopup(true);
    DateEdit1->setDisplayFormat("dd.MM.yyyy");
    Button1 = button(this, "Button1", "?");
    Button1->setMaximumWidth(32);

    auto* supplier = new QHBoxLayout;
    supplier->addWidget(Edit4);
    supplier->addWidget(Button1);
    auto* header = new QGridLayout;
    const struct {
        const char* label;
        QWidget* field;
        QLayout* fields;
        int row, column;
    } headerFields[] = {{"Číslo:", Edit2, nullptr, 0, 0},        {"Datum:", DateEdit1, nullptr, 0, 2},
                        {"Dodavatel:", nullptr, supplier, 1, 0}, {"IČO:", MaskEdit2, nullptr, 1, 2},
                        {"Sídlo:", Edit3, nullptr, 2, 0},        {"Čis. dokl. dod. :", Edit1, nullptr, 2, 2},
                        {"Středisko:", Edit5, nullptr, 3, 0},    {"Převzal:", Edit6, nullptr, 3, 2},
                        {"Rozúčtoval:", Edit7, nullptr, 4, 2}};
    for (const auto& f : headerFields) {
        header->addWidget(new QLabel(f.label, this), f.row, f.column);
        if (f.field)
            header->addWidget(f.field, f.row, f.column + 1);
        else
            header->addLayout(f.fields, f.row, f.column + 1);
    }

    Button7 = button(this, "Button7", "Číslo zboží");
    Panel5 = button(this, "Panel5", "Číslo karty");
    Panel6 = button(this, "Panel6", "Popis zboží");
    vpc = new QCheckBox("cena z celkem", this);
    vpc->setObjectName("vpc");
    auto* titles = new QHBoxLayout;
    titles->addWidget(Button7);
    titles->addWidget(Panel5);
    titles->addWidget(Panel6);
    titles->addStretch();
    titles->addWidget(vpc);

    suitempDBGrid1 = new ui::DataGrid(this);
    suitempDBGrid1->setObjectName("suitempDBGrid1");
    suitempDBGrid1->setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed |
                                    QAbstractItemView::AnyKeyPressed);
    buildColumns();
    suitempDBGrid1->setDatasetModel(&model_);
    suitempDBGrid1->horizontalHeader()->setStretchLastSection(true);
    ui::guardGridEditing(*suitempDBGrid1, model_, s_.prompter(), ui::kRowErrorItem);
    new GridKeyRules(suitempDBGrid1, {"MNOZSTVI", "NAKUPCENA", "CELKEM"}, "MNOZSTVI");
    connect(suitempDBGrid1->selectionModel(), &QItemSelectionModel::currentChanged, this,
            [this](const QModelIndex& current, const QModelIndex& previous) {
                if (syncing_ || !previous.isValid() || current == previous) return;
                suitempDBGrid1ColExit(previous.row(), suitempDBGrid1->columnKey(previous.column()));
            });

    // The navigator.
    auto* nav = new QHBoxLayout;
    const struct {
        const char* name;
        const char* glyph;
        const char* tip;
    } navButtons[] = {{"First", "|<", "první"},
                      {"Prior", "<", "předchozí"},
                      {"Next", ">", "další"},
                      {"Last", ">|", "poslední"}};
    for (const auto& nb : navButtons) {
        auto* b = new QToolButton(this);
        b->setObjectName(QString("DBNavigator1%1").arg(nb.name));
        b->setText(nb.glyph);
        b->setToolTip(nb.tip);
        nav->addWidget(b);
        const QString which = nb.name;
        connect(b, &QToolButton::clicked, this, [this, which] {
            commitGridEdit();
            auto& t = s_.dm.table3;
            if (which == "First")
                t.first();
            else if (which == "Prior")
                t.prior();
            else if (which == "Next")
                t.next();
            else
                t.last();
            suitempDBGrid1->syncToDataset();
        });
    }
    suitempButton4 = button(this, "suitempButton4", "nový řádek");
    suitempButton9 = button(this, "suitempButton9", "smazat řádek");
    suiButton1 = button(this, "suiButton1", "přepočítat");
    nav->addSpacing(12);
    nav->addWidget(suitempButton4);
    nav->addWidget(suitempButton9);
    nav->addWidget(suiButton1);
    nav->addStretch();

    suitempButton2 = button(this, "suitempButton2", "Nový doklad");
    suitempButton5 = button(this, "suitempButton5", "Oprava");
    suitempButton3 = button(this, "suitempButton3", "Uložit doklad");
    suitempButton8 = button(this, "suitempButton8", "Tisk");
    suitempButton6 = button(this, "suitempButton6", "Konec");
    auto* commands = new QHBoxLayout;
    for (auto* b : {suitempButton2, suitempButton5, suitempButton3, suitempButton8})
        commands->addWidget(b);
    commands->addStretch();
    commands->addWidget(suitempButton6);

    auto* top = new QHBoxLayout;
    top->addWidget(title);
    top->addStretch();
    top->addWidget(kind);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addLayout(header);
    layout->addLayout(titles);
    layout->addWidget(suitempDBGrid1, 1);
    layout->addLayout(nav);
    layout->addLayout(commands);

    // Header fields into the document as they are typed.
    auto bind = [this](QLineEdit* e, QString DocumentHeader::*field) {
        connect(e, &QLineEdit::textEdited, this,
                [this, field](const QString& t) { doc_.header().*field = t; });
    };
    bind(Edit4, &DocumentHeader::DODAVATEL);
    bind(MaskEdit2, &DocumentHeader::ICO);
    bind(Edit3, &DocumentHeader::ORGJD);
    bind(Edit1, &DocumentHeader::CISLDOKL);
    bind(Edit5, &DocumentHeader::PROVOZOVNA);
    bind(Edit6, &DocumentHeader::PREVZAL);
    bind(Edit7, &DocumentHeader::ROZUCTOVAL);
    connect(DateEdit1, &QDateEdit::dateChanged, this, [this](const QDate& d) { doc_.header().DATUM = d; });
    connect(DateEdit1, &QDateEdit::editingFinished, this, &TForm1::DateEdit1Exit);
    connect(vpc, &QCheckBox::toggled, this, [this](bool on) { doc_.vpc = on; });

    connect(Button1, &QPushButton::clicked, this, &TForm1::suitempButton1Click);
    connect(Button7, &QPushButton::clicked, this, &TForm1::suitempButton7Click);
    connect(Panel5, &QPushButton::clicked, this, &TForm1::suitempPanel5Click);
    connect(Panel6, &QPushButton::clicked, this, &TForm1::suitempPanel6Click);
    connect(suitempButton2, &QPushButton::clicked, this, &TForm1::suitempButton2Click);
    connect(suitempButton5, &QPushButton::clicked, this, &TForm1::suitempButton5Click);
    connect(suitempButton3, &QPushButton::clicked, this, &TForm1::suitempButton3Click);
    connect(suitempButton8, &QPushButton::clicked, this, &TForm1::suitempButton8Click);
    connect(suitempButton6, &QPushButton::clicked, this, &TForm1::suitempButton6Click);
    connect(suitempButton4, &QPushButton::clicked, this, &TForm1::Nodka1Click);
    connect(suitempButton9, &QPushButton::clicked, this, &TForm1::Smazatdku1Click);
    connect(suiButton1, &QPushButton::clicked, this, &TForm1::suiButton1Click);

    // The grid's context menu; its shortcuts work in the whole window.
    suitempDBGrid1->setContextMenuPolicy(Qt::ActionsContextMenu);
    addCommand("Novdoklad1", "Nový doklad", QKeySequence("Ctrl+N"), &TForm1::suitempButton2Click);
    addCommand("Opravadokladu1", "Oprava dokladu", QKeySequence("Ctrl+O"), &TForm1::suitempButton5Click);
    addCommand("Uloitdoklad1", "Uložit doklad", QKeySequence("Ctrl+U"), &TForm1::suitempButton3Click);
    addCommand("Tisk1", "Tisk", QKeySequence("Ctrl+T"), &TForm1::suitempButton8Click);
    addCommand("Nodka1", "Nový řádek", {}, &TForm1::Nodka1Click);
    addCommand("Smazatdku1", "Smazat řádek", {}, &TForm1::Smazatdku1Click);
}

QAction* TForm1::addCommand(const QString& name, const QString& caption, const QKeySequence& key,
                            void (TForm1::*slot)()) {
    auto* a = new QAction(caption, this);
    a->setObjectName(name);
    if (!key.isEmpty()) {
        a->setShortcut(key);
        a->setShortcutContext(Qt::WindowShortcut);
    }
    connect(a, &QAction::triggered, this, slot);
    addAction(a);
    suitempDBGrid1->addAction(a);
    return a;
}

void TForm1::buildColumns() {
    model_.setColumns({{"JKPOV", "Číslo zboží", {}, false, 90, {}},
                       {"CISLPOLOZ", "Číslo karty", {}, false, 90, {}},
                       {"TEXT", "Popis zboží", {}, false, 260, {}},
                       {"MNOZSTVI", "Množství", "## ##0.0000", true, 100, {}},
                       {"NAKUPCENA", "Nákupní cena Kč", "# ##0.00", false, 110, {}},
                       {"CELKEM", "Celkem Kč", "# ##0.00", doc_.CELKEMeditable, 110, {}}});
    shownRows_ = model_.rowCount();
    if (suitempDBGrid1->model()) {
        syncing_ = true;
        suitempDBGrid1->syncToDataset();
        syncing_ = false;
    }
}

int TForm1::gridColumn(const QString& field) const {
    return model_.columnOf(field);
}

void TForm1::setDate(const QDate& d) {
    doc_.header().DATUM = d;
    showHeader();
}

void TForm1::showHeader() {
    const auto& h = doc_.header();
    Edit2->setText(h.CISLO);
    Edit4->setText(h.DODAVATEL);
    MaskEdit2->setText(h.ICO);
    Edit3->setText(h.ORGJD);
    Edit1->setText(h.CISLDOKL);
    Edit5->setText(h.PROVOZOVNA);
    Edit6->setText(h.PREVZAL);
    Edit7->setText(h.ROZUCTOVAL);
    const QSignalBlocker b(DateEdit1);
    DateEdit1->setDate(h.DATUM);
    // What the fields accepted is what the document keeps.
    doc_.header().DODAVATEL = Edit4->text();
    doc_.header().ICO = MaskEdit2->text();
    doc_.header().ORGJD = Edit3->text();
    doc_.header().CISLDOKL = Edit1->text();
    doc_.header().PROVOZOVNA = Edit5->text();
    doc_.header().PREVZAL = Edit6->text();
    doc_.header().ROZUCTOVAL = Edit7->text();
}

void TForm1::showBuffer() {
    const int rows = model_.rowCount();
    const QModelIndex cur = suitempDBGrid1->currentIndex();
    const int column = cur.isValid() ? cur.column() : std::max(gridColumn("MNOZSTVI"), 0);
    const bool was = syncing_;
    syncing_ = true;
    if (rows == shownRows_) {
        if (rows > 0)
            emit model_.dataChanged(model_.index(0, 0), model_.index(rows - 1, model_.columnCount() - 1));
    } else {
        model_.reload();
        shownRows_ = rows;
    }
    // After a command the grid follows the buffer's cursor; a change in place leaves it alone.
    const int row = s_.dm.table3.recNo();
    if (!inPlace_ && row >= 0 && row < rows)
        suitempDBGrid1->selectionModel()->setCurrentIndex(
            model_.index(row, column), QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    syncing_ = was;
}

void TForm1::commitGridEdit() {
    // An open cell keeps what was typed when a command runs.
    for (auto* editor : suitempDBGrid1->viewport()->findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
        if (!editor->isVisible() || editor != suitempDBGrid1->indexWidget(suitempDBGrid1->currentIndex()))
            continue;
        emit suitempDBGrid1->itemDelegate()->commitData(editor);
        emit suitempDBGrid1->itemDelegate()->closeEditor(editor, QAbstractItemDelegate::NoHint);
    }
}

void TForm1::editQuantity() {
    const int row = s_.dm.table3.recNo();
    const int col = gridColumn("MNOZSTVI");
    if (row < 0 || col < 0) return;
    const QModelIndex idx = model_.index(row, col);
    suitempDBGrid1->setFocus();
    syncing_ = true;
    suitempDBGrid1->selectionModel()->setCurrentIndex(idx, QItemSelectionModel::ClearAndSelect |
                                                               QItemSelectionModel::Rows);
    syncing_ = false;
    suitempDBGrid1->edit(idx);
}

void TForm1::showEvent(QShowEvent* e) {
    QDialog::showEvent(e);
    if (shown_) return;
    shown_ = true;
    FormShow();
}

void TForm1::FormShow() {
    doc_.FormShow();
    Edit4->setFocus();
}

void TForm1::done(int r) {
    commitGridEdit();
    doc_.saveSettings();
    ui::WindowState::save(this, s_.settings);
    s_.saveSettings();
    QDialog::done(r);
}

void TForm1::suitempButton1Click() {
    TForm2 book(s_, this);
    if (book.exec() != QDialog::Accepted || !book.taken()) return;
    doc_.header().DODAVATEL = book.taken()->NAZEVPODNI;
    doc_.header().ICO = book.taken()->ICO;
    doc_.header().ORGJD = book.taken()->SIDLO;
    showHeader();
}

void TForm1::suitempButton2Click() {
    commitGridEdit();
    if (doc_.novyDoklad()) Edit4->setFocus();
}

void TForm1::suitempButton3Click() {
    commitGridEdit();
    doc_.save();
}

void TForm1::suitempButton5Click() {
    commitGridEdit();
    doc_.oprava([this](const QString& statement) { return TForm3::pick(s_, statement, this); });
}

void TForm1::suitempButton6Click() {
    commitGridEdit();
    if (doc_.konec()) accept();
}

void TForm1::pickCard(int mode) {
    commitGridEdit();
    if (!doc_.mayPick()) return;
    if (mode == 0) doc_.beforeArticlePick();
    const auto pos = doc_.browserPosition();
    cards::Tfskarta browser(s_, this);
    browser.Tag = mode;
    browser.najdi = pos.najdi;
    browser.najdi_jkpov = pos.najdi_jkpov;
    browser.najdi_kartu = pos.najdi_kartu;
    browser.stredisko = doc_.header().PROVOZOVNA;
    browser.exec();
    if (browser.Tag != -1) {
        showBuffer();
        return;
    }
    doc_.afterTakeOver();
    buildColumns();
    editQuantity();
}

void TForm1::suitempButton7Click() {
    pickCard(0);
}
void TForm1::suitempPanel5Click() {
    pickCard(1);
}
void TForm1::suitempPanel6Click() {
    pickCard(2);
}

void TForm1::suitempButton8Click() {
    commitGridEdit();
    doc_.recalculate();
    if (doc_.print) doc_.print();
}

void TForm1::Nodka1Click() {
    commitGridEdit();
    const QModelIndex cur = suitempDBGrid1->currentIndex();
    if (doc_.newLine(cur.isValid() ? suitempDBGrid1->columnKey(cur.column()) : QString())) editQuantity();
}

void TForm1::Smazatdku1Click() {
    commitGridEdit();
    doc_.deleteLine();
}

void TForm1::suiButton1Click() {
    commitGridEdit();
    doc_.recalculate();
}

void TForm1::DateEdit1Exit() {
    doc_.header().DATUM = DateEdit1->date();
    doc_.DateEdit1Exit();
}

void TForm1::suitempDBGrid1ColExit(int row, const QString& column) {
    // Changes in place: the grid stays where the user moved.
    inPlace_ = true;
    doc_.colExit(row, column);
    inPlace_ = false;
}

} // namespace stock
