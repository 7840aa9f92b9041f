// The print selection dialog and the SQL pieces the reports share.
#include "support/testdatabase.h"

#include "db/sqltext.h"
#include "reporting/qstringprint.h"
#include "reports/vyberprot.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QGroupBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

using namespace testing_support;
using reports::Tvybptisk;

// ---- SQL pieces ----------------------------------------------------------------------------------

struct MaskCase {
    QStringList fields;
    QString condition;
};

void PrintTo(const MaskCase& c, std::ostream* os) { *os << c.fields.join(",").toStdString(); }

class ArticleMask : public ::testing::TestWithParam<MaskCase> {};

TEST_P(ArticleMask, GivesTheLikeCondition) { EXPECT_EQ(reports::testjkpov(GetParam().fields), GetParam().condition); }

INSTANTIATE_TEST_SUITE_P(
    Fields, ArticleMask,
    ::testing::Values(MaskCase{{"*", "*", "*", "*", "*", "*"}, ""},
                      MaskCase{{"1", "2", "*", "*", "*", "*"}, " (jkpov like \"12____\") "},
                      MaskCase{{"1", "2", "3", "4", "5", "6"}, " (jkpov like \"123456\") "},
                      MaskCase{{"*", "*", "*", "0", "0", "7"}, " (jkpov like \"___007\") "},
                      // A shorter article number spread over the fields leaves the rest empty.
                      MaskCase{{"1", "2", "3", "4", "", ""}, " (jkpov like \"1234\") "}));

struct TypeCase {
    QStringList ticked;
    QString condition, readable;
};

void PrintTo(const TypeCase& c, std::ostream* os) { *os << "ticked " << c.ticked.join(",").toStdString(); }

class DocumentTypes : public ::testing::TestWithParam<TypeCase> {};

TEST_P(DocumentTypes, GiveTheConditionAndTheHeadingList) {
    const auto f = reports::typeFilter(GetParam().ticked);
    EXPECT_EQ(f.condition, GetParam().condition);
    EXPECT_EQ(f.readable, GetParam().readable);
    EXPECT_EQ(f.isEmpty(), GetParam().ticked.isEmpty());
}

INSTANTIATE_TEST_SUITE_P(Ticked, DocumentTypes,
                         ::testing::Values(TypeCase{{"V"}, "(typ = \"V\")", "( V)"},
                                           TypeCase{{"P", "V"}, "(typ = \"P\"or typ = \"V\")", "( P, V)"},
                                           TypeCase{{"P", "V", "Z"}, "(typ = \"P\"or typ = \"V\"or typ = \"Z\")", "( P, V, Z)"},
                                           TypeCase{{"Z"}, "(typ = \"Z\")", "( Z)"}, TypeCase{{}, "", ""}));

TEST(SupplierCondition, ChosenTypedOrEmpty) {
    const QStringList names{"Alfa s.r.o.", "Beta \"B\" a.s."}, icos{"111", "222"};
    EXPECT_EQ(reports::supplierCondition("Alfa s.r.o.", 0, names, icos), "and ico = \"111\"");
    EXPECT_EQ(reports::supplierCondition("Beta \"B\" a.s.", 1, names, icos), "and ico = \"222\"");
    // Typed without choosing: a name still finds its IČO; other text is taken as the IČO, escaped.
    EXPECT_EQ(reports::supplierCondition("Beta \"B\" a.s.", -1, names, icos), "and ico = \"222\"");
    EXPECT_EQ(reports::supplierCondition(" 4711 ", -1, names, icos), "and ico = \"4711\"");
    EXPECT_EQ(reports::supplierCondition("x\" or 1=1 -- ", -1, names, icos), "and ico = \"x\\\" or 1=1 --\"");
    EXPECT_EQ(reports::supplierCondition("", 0, names, icos), "");
}

TEST(MaskField, OnlyADigitOrAStarStays) {
    for (const QString& s : {"0", "5", "9", "*"}) EXPECT_EQ(reports::maskFieldValue(s), s);
    for (const QString& s : {"x", "", " ", "-", "+", "_", "%"}) EXPECT_EQ(reports::maskFieldValue(s), "*") << s.toStdString();
}

// ---- the dialog -------------------------------------------------------------------------------

namespace {

class PrintSelection : public DbTest {
protected:
    template <class T> T* child(QWidget& w, const char* name) {
        T* c = w.findChild<T*>(name);
        EXPECT_NE(c, nullptr) << name;
        return c;
    }
};

struct Enabled {
    const char* name;
    bool enabled;
};

} // namespace

TEST_F(PrintSelection, EveryControlStartsWithItsDefault) {
    Tvybptisk d(session());
    d.show();
    EXPECT_EQ(d.windowTitle(), "Výběr pro tisk");
    EXPECT_EQ(child<QGroupBox>(d, "typy")->title(), " Filtr dokladů ");
    QStringList captions;
    for (auto* c : d.typyItems) captions << c->text();
    EXPECT_EQ(captions, QStringList({"příjemky", "výdejky", "založení"}));
    EXPECT_EQ(d.tickedTypes(), QStringList({"P", "V", "Z"}));   // Tag 0 ticks the third too
    EXPECT_EQ(child<QGroupBox>(d, "suiRadioGroup1")->title(), " Tisk podle ");
    captions.clear();
    for (auto* r : d.printByItems) captions << r->text();
    EXPECT_EQ(captions, QStringList({"název, karta", "jkpov, karta", "jkpov - jen množství", "názvu - jen množství"}));
    EXPECT_EQ(d.printBy(), 0);
    EXPECT_EQ(d.jkpovGroup->title(), " Filtr JKPOV ");
    for (int i = 1; i <= 6; ++i) EXPECT_EQ(child<QLineEdit>(d, qPrintable(QString("od%1").arg(i)))->text(), "*");
    EXPECT_EQ(d.maskCondition(), "");
    EXPECT_EQ(d.icoGroup->title(), " IČO ");
    EXPECT_FALSE(child<QComboBox>(d, "JICO")->isEnabled());
    EXPECT_EQ(d.supplier(), "");
    struct Option {
        const char* name;
        const char* caption;
        bool checked, enabled;
    };
    for (const Option& o : {Option{"kumulace", "kumulace podle IČO", false, false},
                            Option{"jennenul", "   tisk jen nenulových položek", true, false},
                            Option{"jensumar", "   tisk jen konečné součty", false, true},
                            Option{"sdokl", "   součty podle IČO", true, false},
                            Option{"invent", "   inventurní tisk", false, false}}) {
        auto* c = child<QCheckBox>(d, o.name);
        EXPECT_EQ(c->text(), o.caption);
        EXPECT_EQ(c->isChecked(), o.checked) << o.name;
        EXPECT_EQ(c->isEnabled(), o.enabled) << o.name;
    }
    EXPECT_EQ(child<QPushButton>(d, "suiButton1")->text(), "tisknout");
    EXPECT_EQ(child<QPushButton>(d, "suiButton2")->text(), "zpět");
}

TEST_F(PrintSelection, EachReportEnablesItsControls) {
    struct Case {
        reports::PrintKind kind;
        std::vector<Enabled> expect;
        int typeItems;
        int tag;
    };
    const std::vector<Case> cases{
        {reports::PrintKind::ReceivedIssuedByItem,
         {{"DateEdit1", true}, {"DateEdit2", true}, {"DateEdit3", false}, {"jennenul", false}, {"jensumar", false},
          {"kumulace", false}, {"JICO", false}, {"typy", true}, {"suiRadioGroup1", true}},
         3, 0},
        {reports::PrintKind::ReceivedIssuedByDocument,
         {{"kumulace", true}, {"JICO", true}, {"DateEdit3", false}, {"jennenul", false}, {"jensumar", false},
          {"suiRadioGroup1", false}, {"typy", true}},
         2, 100},
        {reports::PrintKind::FinalBalances,
         {{"invent", true}, {"DateEdit1", false}, {"DateEdit2", false}, {"suiButton3", false}, {"suiButton4", false},
          {"typy", false}, {"DateEdit3", true}},
         3, 0},
        {reports::PrintKind::Turnovers,
         {{"DateEdit3", false}, {"typy", false}, {"jennenul", false}, {"DateEdit1", true}, {"DateEdit2", true}},
         3, 0},
        {reports::PrintKind::DocumentList,
         {{"sdokl", true}, {"kumulace", true}, {"JICO", true}, {"GroupBox1", false}, {"DateEdit3", false},
          {"jennenul", false}, {"jensumar", false}, {"suiRadioGroup1", false}, {"typy", true}},
         3, 0},
    };
    for (const Case& c : cases) {
        Tvybptisk d(session());
        d.DateEdit1->setDate(QDate(2020, 1, 1));
        d.DateEdit2->setDate(QDate(2020, 1, 1));
        d.DateEdit3->setDate(QDate(2020, 1, 1));
        d.prepare(c.kind);
        d.show();
        for (const Enabled& e : c.expect) {
            auto* w = d.findChild<QWidget*>(e.name);
            ASSERT_NE(w, nullptr) << e.name;
            EXPECT_EQ(w->isEnabled(), e.enabled) << int(c.kind) << " " << e.name;
        }
        EXPECT_EQ(d.typyItems.size(), c.typeItems) << int(c.kind);
        EXPECT_EQ(d.Tag, c.tag);
        const QDate today = QDate::currentDate();
        if (c.kind == reports::PrintKind::FinalBalances) {
            EXPECT_EQ(d.atDate(), today);
            EXPECT_EQ(d.fromDate(), QDate(2020, 1, 1));
        } else {
            EXPECT_EQ(d.fromDate(), today);
            EXPECT_EQ(d.toDate(), today);
            EXPECT_EQ(d.atDate(), QDate(2020, 1, 1));
        }
    }
}

TEST_F(PrintSelection, ByDocumentOffersReceiptsAndIssuesOnly) {
    Tvybptisk d(session());
    d.prepare(reports::PrintKind::ReceivedIssuedByDocument);
    d.show();
    EXPECT_EQ(d.tickedTypes(), QStringList({"P", "V"}));
    d.typyItems[0]->setChecked(false);
    EXPECT_EQ(d.types().condition, "(typ = \"V\")");
    EXPECT_EQ(d.types().readable, "( V)");
    d.typyItems[1]->setChecked(false);
    EXPECT_TRUE(d.types().isEmpty());
}

TEST_F(PrintSelection, TypingIntoAMaskFieldKeepsDigitsAndStars) {
    Tvybptisk d(session());
    d.show();
    struct Typed {
        int field;
        const char* keys;
        const char* result;
    };
    for (const Typed& t : {Typed{0, "1", "1"}, Typed{1, "2", "2"}, Typed{2, "x", "*"}, Typed{3, "*", "*"}}) {
        QLineEdit* e = d.od[t.field];
        e->selectAll();
        QTest::keyClicks(e, t.keys);
        EXPECT_EQ(e->text(), t.result) << t.keys;
    }
    QTest::keyClick(d.od[0], Qt::Key_Backspace);   // an emptied field holds "*" again
    EXPECT_EQ(d.od[0]->text(), "*");
    d.od[0]->setText("1");
    EXPECT_EQ(d.maskCondition(), " (jkpov like \"12____\") ");
}

TEST_F(PrintSelection, ChoosingAnArticleSpreadsItsNumberOverTheSixFields) {
    for (const auto& [jkpov, nazev] : std::vector<std::pair<QString, QString>>{
             {"123456", "Chléb"}, {"101001", "Mouka hladká"}, {"1234", "Krátké"}})
        db->exec("insert into cenik (jkpov, nazev) values (" + sql::q(jkpov) + ", " + sql::q(nazev) + ")");
    Tvybptisk d(session());
    d.loadArticles();
    d.show();
    auto* list = child<QComboBox>(d, "sezjkpov1");
    ASSERT_EQ(list->count(), 3);
    EXPECT_EQ(list->itemText(0), "Chléb");   // by name
    EXPECT_EQ(list->width(), 20);
    list->showPopup();
    EXPECT_EQ(list->width(), 200);
    list->hidePopup();
    EXPECT_EQ(list->width(), 20);

    d.sezjkpov1Select(0);
    EXPECT_EQ(d.maskFields(), QStringList({"1", "2", "3", "4", "5", "6"}));
    EXPECT_EQ(d.maskCondition(), " (jkpov like \"123456\") ");
    d.sezjkpov1Select(1);   // "Krátké"
    EXPECT_EQ(d.maskFields(), QStringList({"1", "2", "3", "4", "", ""}));
    EXPECT_EQ(list->width(), 20);
}

TEST_F(PrintSelection, SupplierListAndTheDateButtons) {
    db->exec("insert into vse (CISLO, TYP, ICO, DODAVATEL, DATUM) values (\"20240001\", \"P\", \"222\", \"Beta a.s.\", "
             "\"2023-11-14\"), (\"20240002\", \"P\", \"111\", \"Alfa s.r.o.\", \"2024-01-02\"), (\"20240003\", \"P\", "
             "\"111\", \"Alfa s.r.o.\", \"2024-01-03\"), (\"21240001\", \"V\", \"\", \"\", \"2024-02-01\")");
    Tvybptisk d(session());
    d.prepare(reports::PrintKind::DocumentList);
    d.loadSuppliers();
    d.show();
    auto* jico = child<QComboBox>(d, "JICO");
    ASSERT_EQ(jico->count(), 2);
    EXPECT_EQ(jico->itemText(0), "Alfa s.r.o.");
    EXPECT_EQ(d.supplier(), "");
    jico->setCurrentIndex(1);
    EXPECT_EQ(d.supplier(), "and ico = \"222\"");

    d.DateEdit2->setDate(QDate(2000, 1, 1));
    child<QPushButton>(d, "suiButton3")->click();
    EXPECT_EQ(d.fromDate(), QDate(2023, 11, 14));
    child<QPushButton>(d, "suiButton4")->click();
    EXPECT_EQ(d.toDate(), QDate::currentDate());

    db->exec("delete from vse");
    d.DateEdit1->setDate(QDate(2000, 1, 1));
    d.suiButton3Click();   // no movements: today, not a null date
    EXPECT_EQ(d.fromDate(), QDate::currentDate());
}

TEST_F(PrintSelection, TisknoutAcceptsAndZpetCancels) {
    for (const char* button : {"suiButton1", "suiButton2"}) {
        Tvybptisk d(session());
        d.show();
        child<QPushButton>(d, button)->click();
        EXPECT_EQ(d.result(), QString(button) == "suiButton1" ? QDialog::Accepted : QDialog::Rejected);
        EXPECT_FALSE(d.isVisible());
    }
}
