#include "cards/skarta.h"

#include "app/session.h"
#include "cards/cardprints.h"
#include "cards/yalskarta.h"
#include "cards/zalzbozi.h"
#include "ui/datagrid.h"
#include "ui/searchdialog.h"
#include "ui/windowstate.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QToolButton>
#include <QVBoxLayout>

namespace cards {

Tfskarta::Tfskarta(app::Session& s, QWidget* parent)
    : QDialog(parent), s_(s), browser_(s, *this), cenikModel_(browser_.sqlcenik), kartaModel_(browser_.sqlkarta),
      vseModel_(browser_.tvse) {
    build();
    ui::WindowState::restore(this, s_.settings);
    browser_.cardsChanged = [this] {
        kartaModel_.reload();
        DBGrid1->syncToDataset();
    };
    browser_.movementsChanged = [this] {
        vseModel_.reload();
        DBGrid3->syncToDataset();
    };
}

Tfskarta::~Tfskarta() {
    browser_.cardsChanged = nullptr;
    browser_.movementsChanged = nullptr;
}

void Tfskarta::build() {
    setObjectName("fskarta");
    setWindowTitle("Práce se skl.kartami");

    cenikModel_.setColumns({{"JKPOV", "JKPOV", {}, false, 70, {}},
                            {"NAZEV", "Název", {}, false, 330, {}},
                            {"MJ", "MJ", {}, false, 50, {}}});
    kartaModel_.setColumns({{"CISLOKARTY", "Číslo karty", {}, false, 85, {}},
                            {"STREDISKO", "Středisko", {}, false, 70, {}},
                            {"NAZEV", "Název", {}, false, 260, {}},
                            {"DRUH", "Druh", {}, false, 45, {}},
                            {"MCENA", "Mn. cena", "# ##0.00", false, 80, {}},
                            {"MNOZ", "Zůstatek", "# ##0.0000", false, 95, {}},
                            {"JEDN", "MJ", {}, false, 45, {}}});
    vseModel_.setColumns({{"CISLO", "Doklad", {}, false, 80, {}},
                          {"TYP", "Typ", {}, false, 40, {}},
                          {"CISLDOKL", "Doklad dod.", {}, false, 90, {}},
                          {"DATUM", "Datum", {}, false, 85, {}},
                          {"MNOZSTVI", "Množství", "# ##0.0000", false, 95, {}},
                          {"CELKEM", "Celkem", "# ##0.00", false, 90, {}}});

    auto makeGrid = [this](const char* name, db::DatasetModel& m) {
        auto* g = new ui::DataGrid(this);
        g->setObjectName(name);
        g->setDatasetModel(&m);
        for (int c = 0; c < m.columns().size(); ++c) g->setColumnWidth(c, m.columns()[c].width);
        return g;
    };
    DBGrid2 = makeGrid("DBGrid2", cenikModel_);
    DBGrid1 = makeGrid("DBGrid1", kartaModel_);
    DBGrid3 = makeGrid("DBGrid3", vseModel_);
    DBGrid2->setFixedHeight(normalPriceListHeight);
    DBGrid2->setClickableTitles({"JKPOV", "NAZEV"});
    DBGrid1->setClickableTitles({"MCENA", "MNOZ"});
    DBGrid1->setBoldColumn("MNOZ");

    auto button = [this](const char* name, const QString& caption) {
        auto* b = new QPushButton(caption, this);
        b->setObjectName(name);
        b->setAutoDefault(false);
        return b;
    };
    Button1 = button("Button1", "Zavřít");
    Button2 = button("Button2", "nové zboží");
    Button3 = button("Button3", "nová karta");
    Button4 = button("Button4", "převzít");
    Button5 = button("Button5", "tisk karty - podrobný");
    Button6 = button("Button6", "tisk karty - po dnech");
    SpeedButton1 = new QToolButton(this);
    SpeedButton1->setObjectName("SpeedButton1");
    SpeedButton1->setArrowType(Qt::DownArrow);
    SpeedButton1->setToolTip("zvětšit ceník");

    PopupMenu1 = new QMenu(this);
    PopupMenu1->setObjectName("PopupMenu1");
    auto* oprava = PopupMenu1->addAction("oprava údajů vybrané položky");
    oprava->setObjectName("opravaudajuvybranepolozky1");
    DBGrid2->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(DBGrid2, &QWidget::customContextMenuRequested, this,
            [this](const QPoint& p) { PopupMenu1->popup(DBGrid2->viewport()->mapToGlobal(p)); });
    connect(oprava, &QAction::triggered, this, &Tfskarta::opravaUdaju);

    auto* titleRow = new QHBoxLayout;
    auto* zbozi = new QLabel("Zboží", this);
    zbozi->setObjectName("Label1");
    titleRow->addWidget(zbozi);
    titleRow->addStretch();
    titleRow->addWidget(SpeedButton1);

    lowerPart_ = new QWidget(this);
    lowerPart_->setObjectName("Panel2");
    auto* lower = new QVBoxLayout(lowerPart_);
    lower->setContentsMargins(0, 0, 0, 0);
    auto* karty = new QLabel("Karty", lowerPart_);
    karty->setObjectName("Label2");
    auto* pohyby = new QLabel("Pohyby", lowerPart_);
    pohyby->setObjectName("Label3");
    lower->addWidget(karty);
    lower->addWidget(DBGrid1, 3);
    lower->addWidget(pohyby);
    lower->addWidget(DBGrid3, 2);

    auto* left = new QVBoxLayout;
    left->addLayout(titleRow);
    left->addWidget(DBGrid2);
    left->addWidget(lowerPart_, 1);
    left->addStretch(0);

    auto* right = new QVBoxLayout;
    for (auto* b : {Button4, Button2, Button3, Button5, Button6}) right->addWidget(b);
    right->addStretch();
    right->addWidget(Button1);

    auto* lay = new QHBoxLayout(this);
    lay->addLayout(left, 1);
    lay->addLayout(right);
    resize(900, 680);

    connect(Button1, &QPushButton::clicked, this, &QDialog::reject);
    connect(Button2, &QPushButton::clicked, this, &Tfskarta::noveZbozi);
    connect(Button3, &QPushButton::clicked, this, &Tfskarta::novaKarta);
    connect(Button4, &QPushButton::clicked, this, &Tfskarta::prevzit);
    connect(Button5, &QPushButton::clicked, this, &Tfskarta::tiskPodrobny);
    connect(Button6, &QPushButton::clicked, this, &Tfskarta::tiskPoDnech);
    connect(SpeedButton1, &QToolButton::clicked, this, [this] { setEnlarged(!enlarged_); });
    connect(DBGrid1, &ui::DataGrid::rowDoubleClicked, this, [this](int) { prevzit(); });
    connect(DBGrid2, &ui::DataGrid::rowDoubleClicked, this, [this](int) {
        if (Tag == 12) prevzit();
    });
    connect(DBGrid2, &ui::DataGrid::titleClicked, this, &Tfskarta::hledatVCeniku);
    connect(DBGrid1, &ui::DataGrid::titleClicked, this, [this](const QString& key) { browser_.sortCards(key); });
}

void Tfskarta::applyMode() {
    const bool browseOnly = Tag == 100;
    Button2->setVisible(!browseOnly);
    Button3->setVisible(!browseOnly);
    Button4->setVisible(!browseOnly);
    const bool norm = Tag == 11 || Tag == 12;
    Button4->setDefault(norm);
    Button4->setAutoDefault(norm);
}

void Tfskarta::showEvent(QShowEvent* e) {
    QDialog::showEvent(e);
    FormShow();
}

void Tfskarta::FormShow() {
    applyMode();
    browser_.FormShow();
    if (!layoutsLoaded_) {
        DBGrid2->loadLayout(layoutPath("slzb.ini"));
        DBGrid1->loadLayout(layoutPath("slka.ini"));
        DBGrid3->loadLayout(layoutPath("slvs.ini"));
        layoutsLoaded_ = true;
    }
    afterListsReopened();
}

void Tfskarta::afterListsReopened() {
    cenikModel_.reload();
    DBGrid2->syncToDataset();
    kartaModel_.reload();
    DBGrid1->syncToDataset();
    vseModel_.reload();
    DBGrid3->syncToDataset();
}

QString Tfskarta::layoutPath(const QString& file) const { return s_.env.inProgramDir(file); }

void Tfskarta::done(int r) {
    DBGrid2->saveLayout(layoutPath("slzb.ini"));
    DBGrid1->saveLayout(layoutPath("slka.ini"));
    DBGrid3->saveLayout(layoutPath("slvs.ini"));
    ui::WindowState::save(this, s_.settings);
    s_.saveSettings();
    QDialog::done(r);
}

void Tfskarta::setEnlarged(bool on) {
    enlarged_ = on;
    lowerPart_->setVisible(!on);
    DBGrid2->setFixedHeight(on ? tallPriceListHeight : normalPriceListHeight);
    SpeedButton1->setArrowType(on ? Qt::UpArrow : Qt::DownArrow);
}

void Tfskarta::noveZbozi() {
    TForm17 f(s_, this);
    f.Tag = 0;
    if (f.exec() != QDialog::Accepted) return;
    browser_.reload(f.Edit1->text());
    afterListsReopened();
}

void Tfskarta::novaKarta() {
    if (!browser_.hasArticle()) {
        s_.prompter().tell("Talírka", "V ceníku není vybráno žádné zboží.", ui::Icon::Warning);
        return;
    }
    const QString jkpov = browser_.currentJkpov();
    Tfzalkarta f(s_, this);
    f.jkpov = jkpov;
    f.nazev = browser_.sqlcenik.text("NAZEV");
    f.mj = browser_.sqlcenik.text("MJ");
    f.stredisko = stredisko;
    const bool ok = f.exec() == QDialog::Accepted;
    browser_.reload(jkpov, ok ? f.Edit1->text() : QString());
    afterListsReopened();
}

void Tfskarta::opravaUdaju() {
    if (!browser_.hasArticle()) return;
    TForm17 f(s_, this);
    f.Tag = 1;
    f.cenikId = browser_.sqlcenik.value("id").toInt();
    f.exec();
}

void Tfskarta::prevzit() {
    if (Tag == 100) return;
    if (browser_.prevzit()) accept();
}

void Tfskarta::tiskPodrobny() {
    if (!browser_.hasCard()) return;
    printCardDetailed(s_, browser_.currentCard(), QDate::currentDate(), this);
}

void Tfskarta::tiskPoDnech() {
    if (!browser_.hasCard()) return;
    printCardByDays(s_, browser_.currentCard(), QDate::currentDate(), this);
}

void Tfskarta::hledatVCeniku(const QString& field) {
    ui::SearchDialog d(&cenikModel_, {{cenikModel_.columnOf("JKPOV"), "JKPOV"}, {cenikModel_.columnOf("NAZEV"), "Název"}},
                       field.compare("NAZEV", Qt::CaseInsensitive) == 0 ? 1 : 0, true, this);
    browser_.setLinked(false);
    const bool taken = d.exec() == QDialog::Accepted && d.foundRow() >= 0;
    browser_.setLinked(true);
    if (taken) browser_.sqlcenik.setRecNo(d.foundRow());
    else browser_.linkCards();
    DBGrid2->syncToDataset();
}

} // namespace cards
