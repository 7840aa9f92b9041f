#include "support/testdatabase.h"

#include "app/maintenance.h"
#include "app/vyber.h"
#include "ui/inputbox.h"
#include "ui/messagedialog.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QLabel>
#include <QProgressBar>
#include <QRegularExpression>
#include <QMenu>
#include <QMenuBar>
#include <QScrollBar>
#include <QShortcut>
#include <QStandardItemModel>
#include <QTableView>
#include <QTest>
#include <QToolButton>
#include <QWheelEvent>

using namespace testing_support;

namespace {

struct MainWindowFixture {
    TestDatabase db;
    TestWorkstation ws;
    ui::ScriptedPrompter prompter;
    app::CommandRegistry commands;
    std::unique_ptr<app::TForm4> w;

    void settings(const QString& text) {
        core::IniFile ini(ws.env().settingsPath);
        ini.loadFromText(text);
        ini.save();
    }
    app::TForm4& open(int splashMs = 0) {
        app::TForm4Options o;
        o.prompter = &prompter;
        o.connection = db.params();
        o.splash = splashMs > 0;
        o.splashMinimumMs = splashMs;
        w = std::make_unique<app::TForm4>(ws.env(), commands, o);
        return *w;
    }
    void show() {
        w->show();
        QApplication::processEvents();
        w->FormShow();
    }
};

QStringList visibleMenus(app::TForm4& w) {
    QStringList out;
    for (QAction* a : w.menuBar()->actions())
        if (a->isVisible() && a->menu()) out << a->menu()->objectName();
    return out;
}

QStringList visibleButtons(app::TForm4& w) {
    QStringList out;
    for (int i = 1; i <= 5; ++i) {
        auto* b = w.findChild<QToolButton*>(QString("suiImageButton%1").arg(i));
        if (b && !b->isHidden()) out << b->objectName();
    }
    return out;
}

QStringList visibleItems(QMenu* m) {
    QStringList out;
    for (QAction* a : m->actions())
        if (a->isVisible()) out << (a->isSeparator() ? QString("-") : a->text());
    return out;
}

} // namespace

TEST(MainWindow, MenuHasEveryCommandWithItsComponentName) {
    MainWindowFixture f;
    f.db.addCanteen("Jídelna", "A");
    auto& w = f.open();
    const QStringList components = {
        "a1", "b1", "Pjemzbo1", "Vdejzbo1", "Skladovakarta21", "Adres1", "Konec1", "Zaloit1", "Kalkulacenormy1",
        "isksurovinznorem1", "iskpodledata1", "Vmazpeponorem1", "Pjmyavdejezaobdob1", "Pijatavydanzaobdobdokladov1",
        "Konenstavykdatu1", "Potenstavykdatu1", "Seznamdokladzaobdob1", "Seznamkoeficient1", "Vytvoenjdelnholstku1",
        "Seznamalergen1", "Alergenyknormm1", "Nastaventiskrny1", "Nastavennormy1", "Aktivnpenosjdelnkunainternet1",
        "Jdelnekcelodenn1", "Datovzdroj1", "drbadatovchsoubor1", "Ruennepouitchpoloekcenku1",
        "Ruenprzdnchpoloekcenku1", "Ruennulovchsklkaretstarchdvoulet1", "Zkontrolovatnovouverzinainternetu1",
        "Popisprogramu1", "Poslednzmny1", "Oprogramu2", "Opravduukonit1", "N3"};
    for (const auto& c : components) EXPECT_NE(w.action(c), nullptr) << c.toStdString();
    EXPECT_EQ(visibleItems(w.menu("Sklad1")),
              QStringList({"Příjem zboží", "Výdej zboží", "-", "Skladová karta", "Adresář", "-", "Konec"}));
    EXPECT_EQ(visibleItems(w.menu("Normy1")),
              QStringList({"Definice norem jídel", "Kalkulace normy podle počtu", "Kumulace surovin z norem",
                           "Normy do výdejky", "-", "Výmaz přepoč.norem"}));
    EXPECT_TRUE(w.action("Aktivnpenosjdelnkunainternet1")->isCheckable());
    EXPECT_TRUE(w.action("Jdelnekcelodenn1")->isCheckable());
    const QStringList hints = {"Příjmový doklad", "Výdajový doklad", "Aktuelní stav", "Skladová karta", "Jídelní lístek"};
    for (int i = 0; i < 5; ++i)
        EXPECT_EQ(w.findChild<QToolButton*>(QString("suiImageButton%1").arg(i + 1))->toolTip(), hints[i]);
}

struct ProfileCase {
    const char* settings;
    QStringList menus;
    QStringList buttons;
};

class MainWindowProfiles : public ::testing::TestWithParam<ProfileCase> {};

TEST_P(MainWindowProfiles, LeaveExactlyTheirMenusAndButtons) {
    MainWindowFixture f;
    f.db.addCanteen("Jídelna", "A");
    f.settings(GetParam().settings);
    auto& w = f.open();
    f.show();
    EXPECT_EQ(visibleMenus(w), GetParam().menus);
    EXPECT_EQ(visibleButtons(w), GetParam().buttons);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, MainWindowProfiles,
    ::testing::Values(
        ProfileCase{"", {"Vyberjidelny1", "Sklad1", "Normy1", "Tisky1", "Servis1", "Pomoc1", "Konec2"},
                    {"suiImageButton1", "suiImageButton2", "suiImageButton3", "suiImageButton4", "suiImageButton5"}},
        ProfileCase{"[omezeni]\njen_JIDELNICEK=A\n", {"Vyberjidelny1", "Pomoc1", "Konec2"}, {"suiImageButton5"}},
        ProfileCase{"[Omezeni]\nJen_normy=A\n", {"Vyberjidelny1", "Normy1", "Pomoc1", "Konec2"}, {}},
        ProfileCase{"[Omezeni]\nJen_jidelnicek=A\nJen_normy=A\n", {"Vyberjidelny1", "Normy1", "Pomoc1", "Konec2"}, {}},
        ProfileCase{"[Omezeni]\nJen_jidelnicek=N\nJen_normy=x\n",
                    {"Vyberjidelny1", "Sklad1", "Normy1", "Tisky1", "Servis1", "Pomoc1", "Konec2"},
                    {"suiImageButton1", "suiImageButton2", "suiImageButton3", "suiImageButton4", "suiImageButton5"}}));

TEST(MainWindow, MenuOnlyProfileMovesTheMenuButtonToTheLeftEdge) {
    MainWindowFixture f;
    f.settings("[Omezeni]\nJen_jidelnicek=A\n");
    auto& w = f.open();
    const QPoint first = w.findChild<QToolButton*>("suiImageButton1")->pos();
    f.show();
    EXPECT_EQ(w.findChild<QToolButton*>("suiImageButton5")->pos(), first);
}

TEST(MainWindow, NormsProfileOffersOnlyTheThreeNormCommands) {
    MainWindowFixture f;
    f.settings("[Omezeni]\nJen_normy=A\n");
    auto& w = f.open();
    f.show();
    EXPECT_EQ(visibleItems(w.menu("Normy1")),
              QStringList({"Definice norem jídel", "Kalkulace normy podle počtu", "Kumulace surovin z norem"}));
}

TEST(MainWindow, BothProfilesLeaveTheNormsMenuWithoutCaption) {
    MainWindowFixture f;
    f.settings("[Omezeni]\nJen_jidelnicek=A\nJen_normy=A\n");
    auto& w = f.open();
    f.show();
    EXPECT_TRUE(w.menu("Normy1")->menuAction()->isVisible());
    EXPECT_EQ(w.menu("Normy1")->title(), "");
}

TEST(MainWindow, NoCanteensRemovesTheCanteenMenuAndRemembersMinusOne) {
    MainWindowFixture f;
    auto& w = f.open();
    f.show();
    EXPECT_FALSE(visibleMenus(w).contains("Vyberjidelny1"));
    EXPECT_EQ(w.session().aktIndex, -1);
    EXPECT_EQ(w.Label1()->text(), "");
    w.close();
    EXPECT_EQ(core::IniFile(f.ws.env().settingsPath).readInteger("Jidelny", "Aktivni_jidelna", 99), -1);
}

TEST(MainWindow, OneCanteenGivesTwoItemsWithTheSameName) {
    MainWindowFixture f;
    f.db.addCanteen("ZŠ Lipová", "L");
    auto& w = f.open();
    EXPECT_EQ(w.action("a1")->text(), "ZŠ Lipová");
    EXPECT_EQ(w.action("b1")->text(), "ZŠ Lipová");
    EXPECT_EQ(w.session().oznacB, "L");
    EXPECT_TRUE(w.action("a1")->isChecked());
}

TEST(MainWindow, RememberedSecondCanteenIsActiveAndChoosingTheFirstIsSaved) {
    MainWindowFixture f;
    f.db.addCanteen("První", "A");
    f.db.addCanteen("Druhá", "B");
    f.settings("[Jidelny]\nAktivni_jidelna=5\n");
    auto& w = f.open();
    EXPECT_EQ(w.session().aktIndex, 5);   // kept as read until a canteen is chosen
    EXPECT_EQ(w.session().aktOznac, "B");
    EXPECT_EQ(w.Label1()->text(), "Druhá");
    EXPECT_TRUE(w.action("b1")->isChecked());
    EXPECT_FALSE(w.action("a1")->isChecked());

    w.action("a1")->trigger();
    EXPECT_EQ(w.session().aktOznac, "A");
    EXPECT_EQ(w.Label1()->text(), "První");
    EXPECT_TRUE(w.action("a1")->isChecked());
    EXPECT_FALSE(w.action("b1")->isChecked());
    EXPECT_EQ(core::IniFile(f.ws.env().settingsPath).readInteger("Jidelny", "Aktivni_jidelna", 99), 0);
}

TEST(MainWindow, CheckItemsAreRestoredAndSaved) {
    MainWindowFixture f;
    f.settings("[TForm4]\njdelnekcelodenn1_checked=True\n");
    {
        auto& w = f.open();
        f.show();
        EXPECT_TRUE(w.action("Jdelnekcelodenn1")->isChecked());
        EXPECT_FALSE(w.action("Aktivnpenosjdelnkunainternet1")->isChecked());
        w.action("Aktivnpenosjdelnkunainternet1")->trigger();
        w.close();
    }
    const core::IniFile ini(f.ws.env().settingsPath);
    EXPECT_EQ(ini.readString("TForm4", "Aktivnpenosjdelnkunainternet1_Checked"), "True");
    EXPECT_EQ(ini.readString("TForm4", "Jdelnekcelodenn1_Checked"), "True");
}

TEST(MainWindow, TwoYearCleanupCaptionNamesFirstJanuaryTwoYearsBack) {
    EXPECT_EQ(app::TForm4::twoYearCleanupCaption(QDate(2025, 1, 1)), "Rušení nulových skladových karet k 1.1.2023");
    EXPECT_EQ(app::TForm4::twoYearCleanupCaption(QDate(2024, 3, 15)), "Rušení nulových skladových karet k 1.1.2022");
    MainWindowFixture f;
    auto& w = f.open();
    f.show();
    EXPECT_EQ(w.action("Ruennulovchsklkaretstarchdvoulet1")->text(),
              app::TForm4::twoYearCleanupCaption(QDate::currentDate()));
}

TEST(MainWindow, StatusBarClockFormat) {
    EXPECT_EQ(app::TForm4::statusClockText(QDateTime(QDate(2025, 2, 3), QTime(14, 5, 9))), "14:05:09 03/02/25 ");
    MainWindowFixture f;
    auto& w = f.open();
    EXPECT_TRUE(w.stav()->isHidden());
    EXPECT_TRUE(w.konkaret()->isHidden());
}

TEST(MainWindow, ReceiptAndIssueStartWithAnEmptyWorkTableEachTime) {
    MainWindowFixture f;
    QVector<int> rowsSeen;
    for (const char* c : {"Pjemzbo1", "Vdejzbo1"})
        f.commands.add(c, [&](app::Session& s, QWidget*) {
            rowsSeen << s.conn().query("select * from " + s.dm.pracTabulka).rowCount() << s.dm.table3.rowCount();
            s.conn().exec("insert into " + s.dm.pracTabulka + " (cislo) values (default)");
        });
    auto& w = f.open();
    w.action("Pjemzbo1")->trigger();
    w.action("Pjemzbo1")->trigger();
    w.action("Vdejzbo1")->trigger();
    EXPECT_EQ(rowsSeen, QVector<int>({0, 0, 0, 0, 0, 0}));
}

TEST(MainWindow, PictureButtonsRunTheirMenuCommands) {
    MainWindowFixture f;
    QStringList ran;
    for (const char* c : {"Pjemzbo1", "Vdejzbo1", "Konenstavykdatu1", "Skladovakarta21", "Tjidelnicek", "Tjidelnicek2"})
        f.commands.add(c, [&ran, c](app::Session&, QWidget*) { ran << c; });
    auto& w = f.open();
    for (int i = 1; i <= 5; ++i) w.findChild<QToolButton*>(QString("suiImageButton%1").arg(i))->click();
    EXPECT_EQ(ran, QStringList({"Pjemzbo1", "Vdejzbo1", "Konenstavykdatu1", "Skladovakarta21", "Tjidelnicek"}));
    // "Jídelníček celodenní" checked: the same button opens the full-day editor.
    w.action("Jdelnekcelodenn1")->trigger();
    w.findChild<QToolButton*>("suiImageButton5")->click();
    EXPECT_EQ(ran.last(), "Tjidelnicek2");
}

TEST(MainWindow, MissingHelpDocumentDoesNothing) {
    MainWindowFixture f;
    auto& w = f.open();
    w.action("Popisprogramu1")->trigger();
    w.action("Poslednzmny1")->trigger();
    EXPECT_TRUE(f.prompter.records().empty());
}

TEST(MainWindow, AboutBoxNamesTheProgramAndItsVersion) {
    MainWindowFixture f;
    auto& w = f.open();
    w.action("Oprogramu2")->trigger();
    ASSERT_EQ(f.prompter.records().size(), 1u);
    EXPECT_TRUE(f.prompter.lastText().startsWith("TalírkaSQL\nverze "));
    EXPECT_TRUE(QRegularExpression("verze \\d+\\.\\d+\\.\\d+\\.\\d+").match(f.prompter.lastText()).hasMatch());
}

TEST(MainWindow, HotKeyShowsDatabaseUserAndPassword) {
    MainWindowFixture f;
    auto& w = f.open();
    auto* sc = w.findChild<QShortcut*>("hotKey");
    ASSERT_NE(sc, nullptr);
    EXPECT_EQ(sc->key(), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_F10));
    emit sc->activated();
    const auto p = f.db.params();
    EXPECT_EQ(f.prompter.lastText(), p.database + " " + p.user + " " + p.password);
    EXPECT_EQ(f.prompter.records().back().message.icon, ui::Icon::Warning);
}

TEST(MainWindow, StartupTimerRunsOnceAboutOneSecondAfterTheFirstShow) {
    MainWindowFixture f;
    auto& w = f.open();
    int runs = 0;
    QElapsedTimer t;
    qint64 at = 0;
    w.onStartupTimer = [&](app::Session&) {
        ++runs;
        at = t.elapsed();
    };
    t.start();
    f.show();
    QTest::qWait(1600);
    EXPECT_EQ(runs, 1);
    EXPECT_GE(at, 900);
    EXPECT_LE(at, 1500);
}

TEST(MainWindow, SplashStaysAtLeastItsMinimumTime) {
    MainWindowFixture f;
    QElapsedTimer t;
    t.start();
    auto& w = f.open(1500);
    EXPECT_NE(QApplication::topLevelWidgets().size(), 0);
    f.show();
    EXPECT_GE(t.elapsed(), 1400);
    EXPECT_EQ(w.findChild<QWidget*>("TStartDialog"), nullptr);
}

// Qt sends wheel events to the widget under the pointer, whichever widget has the focus, so a
// grid scrolls under the mouse without any forwarding of our own.
TEST(MainWindow, WheelScrollsTheGridUnderThePointer) {
    QWidget top;
    auto* focus = new QTableView(&top);
    auto* grid = new QTableView(&top);
    QStandardItemModel model(200, 2);
    grid->setModel(&model);
    focus->setGeometry(0, 0, 100, 100);
    grid->setGeometry(110, 0, 200, 200);
    top.resize(320, 220);
    top.show();
    focus->setFocus();
    QApplication::processEvents();
    const int before = grid->verticalScrollBar()->value();
    const QPointF pos(50, 50);
    QWheelEvent ev(pos, grid->viewport()->mapToGlobal(pos), QPoint(), QPoint(0, -120), Qt::NoButton, Qt::NoModifier,
                   Qt::NoScrollPhase, false);
    QApplication::sendEvent(grid->viewport(), &ev);
    EXPECT_GT(grid->verticalScrollBar()->value(), before);
}

TEST(MainWindow, CrashMarkerIsCheckedAboutOneSecondAfterTheFirstShowAndOnlyOnce) {
    MainWindowFixture f;
    QDir(f.ws.env().programDir).mkpath("screen");
    const QString marker = f.ws.env().programDir + "/screen/chyba.txt";
    {
        QFile m(marker);
        ASSERT_TRUE(m.open(QIODevice::WriteOnly));
        m.write("Byla chyba!\n");
    }
    int maintenance = 0;
    app::setDataMaintenance([&](app::Session&) { ++maintenance; });
    f.db.exec("update ident set ico = '70998877', obedar_databaze = 'obedar'");
    const QString crashText = "Program skončilou chybou, bude provedena kontrola dat!";
    {
        auto& w = f.open();
        f.show();
        QTest::qWait(400);
        EXPECT_FALSE(f.prompter.texts().contains(crashText));   // not before the timer
        QTest::qWait(1200);
        EXPECT_EQ(f.prompter.texts().count(crashText), 1);
        EXPECT_FALSE(QFile::exists(marker));
        EXPECT_EQ(maintenance, 1);
        EXPECT_EQ(w.session().icoOrg, "70998877");
        EXPECT_EQ(w.session().zdrojPoctu, "sql");
        w.close();
    }
    f.w.reset();
    f.prompter.clear();
    auto& again = f.open();
    f.show();
    QTest::qWait(1500);
    EXPECT_TRUE(f.prompter.texts().isEmpty());
    EXPECT_EQ(maintenance, 1);
    again.close();
    app::setDataMaintenance({});
}

TEST(MainWindow, ReusableDialogsHaveTheirRestingCaptionsAndButtons) {
    MainWindowFixture f;
    auto& w = f.open();
    EXPECT_EQ(w.suiMessageDialog1()->windowTitle(), "Talírka");
    EXPECT_EQ(w.suiMessageDialog1()->buttonCaptions(), QStringList({"smazat", "zpět"}));
    EXPECT_EQ(w.suiMessageDialog1()->text(), "Opravdu vymazat zásobník přepočtených norem?");
    EXPECT_EQ(w.prochybu()->windowTitle(), "Talírka SQL");
    EXPECT_EQ(w.prochybu()->buttonCaptions(), QStringList({"OK"}));
    EXPECT_EQ(w.suiMessageDialog2()->buttonCaptions(), QStringList({"OK"}));
    EXPECT_EQ(w.suiInputDialog1()->windowTitle(), "Talírka SQL");
    EXPECT_EQ(w.suiInputDialog1()->prompt(), "Vložte IČ organizace");
    // Borrowed by a service command and put back.
    w.suiMessageDialog1()->setMessage({"Talírka", "Jiný text", ui::Icon::Question, {"ano", "ne"}});
    w.suiMessageDialog1()->reset();
    EXPECT_EQ(w.suiMessageDialog1()->text(), "Opravdu vymazat zásobník přepočtených norem?");
}

TEST(MainWindow, OrganisationNumberOfTheInputBoxIsRemembered) {
    MainWindowFixture f;
    f.settings("[TForm4]\nSuiInputDialog1_valueText=12345678\n");
    auto& w = f.open();
    f.show();
    EXPECT_EQ(w.suiInputDialog1()->valueText(), "12345678");
    w.suiInputDialog1()->setValueText("87654321");
    w.close();
    EXPECT_EQ(core::IniFile(f.ws.env().settingsPath).readString("TForm4", "suiInputDialog1_ValueText"), "87654321");
}
