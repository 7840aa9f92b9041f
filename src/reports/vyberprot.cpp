#include "reports/vyberprot.h"

#include "app/session.h"
#include "db/sqltext.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace reports {

// ---- SQL pieces --------------------------------------------------------------------------------

QString maskFieldValue(const QString& typed) {
    if (typed == "*") return typed;
    bool digits = !typed.isEmpty();
    for (QChar c : typed) digits = digits && c >= '0' && c <= '9';
    return digits ? typed : QString("*");
}

QString testjkpov(const QStringList& fields) {
    QString pattern;
    for (const QString& f : fields) pattern += f == "*" ? QString("_") : f;
    if (pattern == "______") return {};
    return " (jkpov like " + sql::q(pattern) + ") ";
}

TypeFilter typeFilter(const QStringList& tickedLetters) {
    if (tickedLetters.isEmpty()) return {};
    QString cond, readable;
    for (const QString& t : tickedLetters) {
        cond += "or typ = " + sql::q(t);
        readable += ", " + t;
    }
    cond = "(" + cond + ")";
    if (cond.startsWith("(or ")) cond = "(" + cond.mid(4);
    readable = "(" + readable + ")";
    readable.replace("(,", "(");
    return {cond, readable};
}

QString supplierCondition(const QString& text, int selected, const QStringList& names, const QStringList& icos) {
    if (text.isEmpty()) return {};
    QString ico;
    if (selected >= 0 && selected < icos.size() && names.value(selected) == text) ico = icos[selected];
    else {
        // Typed rather than chosen: a supplier's name gives its IČO, anything else is an IČO.
        const int i = int(names.indexOf(text));
        ico = i >= 0 && i < icos.size() ? icos[i] : text.trimmed();
    }
    return "and ico = " + sql::q(ico);
}

// ---- the dialog -------------------------------------------------------------------------------

namespace {

// The article list is narrow beside the mask fields and widens while it is dropped down.
class ArticleList : public QComboBox {
public:
    using QComboBox::QComboBox;
    void showPopup() override {
        setFixedWidth(200);
        QComboBox::showPopup();
    }
    void hidePopup() override {
        QComboBox::hidePopup();
        setFixedWidth(20);
    }
};

QCheckBox* option(QWidget* parent, const QString& name, const QString& caption, bool checked, bool enabled) {
    auto* c = new QCheckBox(caption, parent);
    c->setObjectName(name);
    c->setChecked(checked);
    c->setEnabled(enabled);
    return c;
}

} // namespace

Tvybptisk::Tvybptisk(app::Session& s, QWidget* parent) : QDialog(parent), s_(s) {
    setObjectName("Tvybptisk");
    setWindowTitle("Výběr pro tisk");

    typy = new QGroupBox(" Filtr dokladů ", this);
    typy->setObjectName("typy");
    auto* tl = new QVBoxLayout(typy);
    const QStringList typeCaptions{"příjemky", "výdejky", "založení"};
    for (int i = 0; i < typeCaptions.size(); ++i) {
        auto* c = new QCheckBox(typeCaptions[i], typy);
        c->setObjectName(QString("typy%1").arg(i));
        c->setChecked(i < 2);
        tl->addWidget(c);
        typyItems << c;
    }

    suiRadioGroup1 = new QGroupBox(" Tisk podle ", this);
    suiRadioGroup1->setObjectName("suiRadioGroup1");
    auto* rl = new QVBoxLayout(suiRadioGroup1);
    const QStringList byCaptions{"název, karta", "jkpov, karta", "jkpov - jen množství", "názvu - jen množství"};
    for (int i = 0; i < byCaptions.size(); ++i) {
        auto* r = new QRadioButton(byCaptions[i], suiRadioGroup1);
        r->setObjectName(QString("suiRadioGroup1_%1").arg(i));
        r->setChecked(i == 0);
        rl->addWidget(r);
        printByItems << r;
    }

    jkpovGroup = new QGroupBox(" Filtr JKPOV ", this);
    jkpovGroup->setObjectName("GroupBox1");
    auto* jl = new QHBoxLayout(jkpovGroup);
    jl->addWidget(new QLabel("Filtr", jkpovGroup));
    for (int i = 0; i < 6; ++i) {
        auto* e = new QLineEdit("*", jkpovGroup);
        e->setObjectName(QString("od%1").arg(i + 1));
        e->setMaxLength(1);
        e->setFixedWidth(22);
        e->setAlignment(Qt::AlignCenter);
        connect(e, &QLineEdit::textEdited, this, [this, i] { od1Change(i); });
        jl->addWidget(e);
        od << e;
    }
    sezjkpov1 = new ArticleList(jkpovGroup);
    sezjkpov1->setObjectName("sezjkpov1");
    sezjkpov1->setFixedWidth(20);
    sezjkpov1->installEventFilter(this);
    connect(sezjkpov1, &QComboBox::activated, this, &Tvybptisk::sezjkpov1Select);
    jl->addWidget(sezjkpov1);
    jl->addStretch();

    auto dateEdit = [this](const QString& name) {
        auto* d = new QDateEdit(QDate::currentDate(), this);
        d->setObjectName(name);
        d->setCalendarPopup(true);
        d->setDisplayFormat("d.M.yyyy");
        return d;
    };
    DateEdit1 = dateEdit("DateEdit1");
    DateEdit2 = dateEdit("DateEdit2");
    DateEdit3 = dateEdit("DateEdit3");
    suiButton3 = new QPushButton("«", this);
    suiButton3->setObjectName("suiButton3");
    suiButton3->setToolTip("od prvního pohybu");
    suiButton3->setFixedWidth(26);
    suiButton4 = new QPushButton("•", this);
    suiButton4->setObjectName("suiButton4");
    suiButton4->setToolTip("dnes");
    suiButton4->setFixedWidth(26);
    connect(suiButton3, &QPushButton::clicked, this, &Tvybptisk::suiButton3Click);
    connect(suiButton4, &QPushButton::clicked, this, &Tvybptisk::suiButton4Click);

    icoGroup = new QGroupBox(" IČO ", this);
    icoGroup->setObjectName("GroupBox2");
    auto* il = new QHBoxLayout(icoGroup);
    il->addWidget(new QLabel("Jen IČO", icoGroup));
    JICO = new QComboBox(icoGroup);
    JICO->setObjectName("JICO");
    JICO->setEditable(true);
    JICO->setMinimumWidth(220);
    JICO->setEnabled(false);
    il->addWidget(JICO, 1);

    kumulace = option(this, "kumulace", "kumulace podle IČO", false, false);
    jennenul = option(this, "jennenul", "   tisk jen nenulových položek", true, false);
    jensumar = option(this, "jensumar", "   tisk jen konečné součty", false, true);
    sdokl = option(this, "sdokl", "   součty podle IČO", true, false);
    invent = option(this, "invent", "   inventurní tisk", false, false);

    suiButton1 = new QPushButton("tisknout", this);
    suiButton1->setObjectName("suiButton1");
    suiButton1->setDefault(true);
    suiButton2 = new QPushButton("zpět", this);
    suiButton2->setObjectName("suiButton2");
    connect(suiButton1, &QPushButton::clicked, this, &QDialog::accept);
    connect(suiButton2, &QPushButton::clicked, this, &QDialog::reject);

    auto* dates = new QGridLayout;
    dates->addWidget(new QLabel("Od data", this), 0, 0);
    dates->addWidget(DateEdit1, 0, 1);
    dates->addWidget(suiButton3, 0, 2);
    dates->addWidget(new QLabel("Do data", this), 1, 0);
    dates->addWidget(DateEdit2, 1, 1);
    dates->addWidget(suiButton4, 1, 2);
    dates->addWidget(new QLabel("K datu", this), 2, 0);
    dates->addWidget(DateEdit3, 2, 1);

    auto* options = new QVBoxLayout;
    for (QWidget* w : std::initializer_list<QWidget*>{kumulace, jennenul, jensumar, sdokl, invent}) options->addWidget(w);

    auto* top = new QHBoxLayout;
    top->addWidget(typy);
    top->addWidget(suiRadioGroup1);
    auto* middle = new QHBoxLayout;
    middle->addLayout(dates);
    middle->addLayout(options);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(suiButton1);
    buttons->addWidget(suiButton2);

    auto* lay = new QVBoxLayout(this);
    lay->addLayout(top);
    lay->addWidget(jkpovGroup);
    lay->addLayout(middle);
    lay->addWidget(icoGroup);
    lay->addLayout(buttons);
}

void Tvybptisk::prepare(PrintKind kind) {
    const QDate today = QDate::currentDate();
    auto periodToday = [&] {
        DateEdit1->setDate(today);
        DateEdit2->setDate(today);
    };
    auto period = [&](bool on) {
        for (QWidget* w : std::initializer_list<QWidget*>{DateEdit1, DateEdit2, suiButton3, suiButton4}) w->setEnabled(on);
    };
    switch (kind) {
    case PrintKind::ReceivedIssuedByItem:
        DateEdit3->setEnabled(false);
        jennenul->setEnabled(false);
        jensumar->setEnabled(false);
        periodToday();
        break;
    case PrintKind::ReceivedIssuedByDocument:
        kumulace->setEnabled(true);
        JICO->setEnabled(true);
        DateEdit3->setEnabled(false);
        jennenul->setEnabled(false);
        jensumar->setEnabled(false);
        suiRadioGroup1->setEnabled(false);
        if (typyItems.size() > 2) delete typyItems.takeLast();
        Tag = 100;
        periodToday();
        break;
    case PrintKind::FinalBalances:
        invent->setEnabled(true);
        period(false);
        typy->setEnabled(false);
        DateEdit3->setDate(today);
        break;
    case PrintKind::Turnovers:
        DateEdit3->setEnabled(false);
        typy->setEnabled(false);
        periodToday();
        break;
    case PrintKind::DocumentList:
        sdokl->setEnabled(true);
        kumulace->setEnabled(true);
        JICO->setEnabled(true);
        jkpovGroup->setEnabled(false);
        DateEdit3->setEnabled(false);
        jennenul->setEnabled(false);
        jensumar->setEnabled(false);
        suiRadioGroup1->setEnabled(false);
        periodToday();
        break;
    }
}

void Tvybptisk::setArticles(const QStringList& names, const QStringList& numbers) {
    sezjkpov1->clear();
    sezjkpov1->addItems(names);
    sezjkpov1->setCurrentIndex(-1);
    articleNumbers_ = numbers;
}

void Tvybptisk::setSuppliers(const QStringList& names, const QStringList& icos) {
    JICO->clear();
    JICO->addItems(names);
    JICO->setCurrentIndex(-1);
    JICO->setEditText(QString());
    supplierNames_ = names;
    supplierIcos_ = icos;
}

void Tvybptisk::loadArticles() {
    const auto rs = s_.conn().query("select jkpov , nazev from cenik order by nazev");
    QStringList names, numbers;
    for (int i = 0; i < rs.rowCount(); ++i) {
        names << rs.text(i, "nazev");
        numbers << rs.text(i, "jkpov");
    }
    setArticles(names, numbers);
}

void Tvybptisk::loadSuppliers() {
    const auto rs = s_.conn().query(
        "select ico , dodavatel from vse where ico <> \"\" group by dodavatel, ico order by dodavatel");
    QStringList names, icos;
    for (int i = 0; i < rs.rowCount(); ++i) {
        names << rs.text(i, "dodavatel");
        icos << rs.text(i, "ico");
    }
    setSuppliers(names, icos);
}

QDate Tvybptisk::fromDate() const { return DateEdit1->date(); }
QDate Tvybptisk::toDate() const { return DateEdit2->date(); }
QDate Tvybptisk::atDate() const { return DateEdit3->date(); }

QStringList Tvybptisk::maskFields() const {
    QStringList out;
    for (const QLineEdit* e : od) out << e->text();
    return out;
}

QStringList Tvybptisk::tickedTypes() const {
    static const QStringList letters{"P", "V", "Z"};
    QStringList out;
    for (int i = 0; i < typyItems.size(); ++i)
        if (typyItems[i]->isChecked()) out << letters[i];
    return out;
}

QString Tvybptisk::supplier() const {
    return supplierCondition(JICO->currentText(), JICO->currentIndex(), supplierNames_, supplierIcos_);
}

int Tvybptisk::printBy() const {
    for (int i = 0; i < printByItems.size(); ++i)
        if (printByItems[i]->isChecked()) return i;
    return 0;
}

bool Tvybptisk::kumulaceChecked() const { return kumulace->isChecked(); }
bool Tvybptisk::jennenulChecked() const { return jennenul->isChecked(); }
bool Tvybptisk::jensumarChecked() const { return jensumar->isChecked(); }
bool Tvybptisk::sdoklChecked() const { return sdokl->isChecked(); }
bool Tvybptisk::inventChecked() const { return invent->isChecked(); }

void Tvybptisk::od1Change(int field) {
    QLineEdit* e = od.value(field);
    if (!e) return;
    const QString v = maskFieldValue(e->text());
    if (v != e->text()) e->setText(v);
}

void Tvybptisk::sezjkpov1Select(int index) {
    const QString number = articleNumbers_.value(index);
    for (int k = 0; k < od.size(); ++k) od[k]->setText(k < number.size() ? QString(number[k]) : QString());
    narrowArticleList();
}

void Tvybptisk::narrowArticleList() { sezjkpov1->setFixedWidth(20); }

void Tvybptisk::suiButton3Click() {
    const auto rs = s_.conn().query("select min(datum) as dt from vse");
    // Without movements (no row, or a null minimum) the period starts today.
    const QDate d = rs.isEmpty() ? QDate() : rs.value(0, "dt").toDate();
    DateEdit1->setDate(d.isValid() ? d : QDate::currentDate());
}

void Tvybptisk::suiButton4Click() { DateEdit2->setDate(QDate::currentDate()); }

void Tvybptisk::FormShow() {
    if (typyItems.size() > 2) typyItems[2]->setChecked(Tag == 0);
}

void Tvybptisk::showEvent(QShowEvent* e) {
    QDialog::showEvent(e);
    FormShow();
}

bool Tvybptisk::eventFilter(QObject* o, QEvent* e) {
    if (o == sezjkpov1 && e->type() == QEvent::FocusOut) narrowArticleList();
    return QDialog::eventFilter(o, e);
}

} // namespace reports
