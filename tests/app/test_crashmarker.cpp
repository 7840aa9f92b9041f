#include "app/crashmarker.h"
#include "app/maintenance.h"
#include "app/osetrenichyb.h"
#include "support/testdatabase.h"

#include <QDir>
#include <QFile>

using namespace testing_support;

namespace {
const QString kCrashMessage = "Program skončilou chybou, bude provedena kontrola dat!";
}

class CrashMarker : public DbTest {
protected:
    void SetUp() override {
        DbTest::SetUp();
        app::setDataMaintenance([this](app::Session&) {
            ++maintenanceRuns;
            markerDuringMaintenance = QFile::exists(app::crashMarkerPath(session()));
            if (maintenanceFails) throw db::Error(1205, "Lock wait timeout exceeded; try restarting transaction");
        });
    }
    void TearDown() override {
        app::setDataMaintenance({});
        app::setUpdateCheck({});
        DbTest::TearDown();
    }
    // What the handler leaves after an unexpected error in this program folder.
    void crash() {
        app::ErrorHandler h(session());
        h.setExitAction([](int) {});
        h.setScreenGrab([] { return QImage(); });
        h.OsetreniChyb(nullptr, std::make_exception_ptr(db::Error(2013, "Lost connection to server during query")));
        prompter().clear();
        session().conn().open(db->params());
    }

    int maintenanceRuns = 0;
    bool markerDuringMaintenance = true;
    bool maintenanceFails = false;
};

TEST_F(CrashMarker, NextStartChecksTheDataOnceAndTheStartAfterShowsNothing) {
    crash();
    ASSERT_TRUE(QFile::exists(app::crashMarkerPath(session())));

    app::Aktualizaceprogr(session());
    EXPECT_EQ(prompter().texts(), QStringList({kCrashMessage}));
    EXPECT_EQ(prompter().records()[0].message.caption, "Talírka SQL");
    EXPECT_EQ(maintenanceRuns, 1);
    EXPECT_FALSE(markerDuringMaintenance) << "the marker must go before the maintenance runs";
    EXPECT_FALSE(QFile::exists(app::crashMarkerPath(session())));

    prompter().clear();
    app::Aktualizaceprogr(session(), false);
    EXPECT_TRUE(prompter().texts().isEmpty());
    EXPECT_EQ(maintenanceRuns, 1);
}

TEST_F(CrashMarker, FailureDuringTheMaintenanceLeavesAFreshMarker) {
    crash();
    maintenanceFails = true;
    app::ErrorHandler h(session());
    h.setExitAction([](int) {});
    h.setScreenGrab([] { return QImage(); });
    try {
        app::Aktualizaceprogr(session());
        ADD_FAILURE() << "the maintenance error did not come through";
    } catch (...) {
        h.OsetreniChyb(nullptr, std::current_exception());
    }
    EXPECT_EQ(maintenanceRuns, 1);
    QFile marker(app::crashMarkerPath(session()));
    ASSERT_TRUE(marker.open(QIODevice::ReadOnly));
    EXPECT_EQ(marker.readAll(), "Byla chyba!\n");
}

TEST_F(CrashMarker, UpdateCheckRunsBetweenTheMarkerAndTheIdentity) {
    QStringList order;
    app::setDataMaintenance([&](app::Session&) { order << "maintenance"; });
    app::setUpdateCheck([&](app::Session& s, bool automatic) {
        order << (automatic ? "automatic check" : "manual check");
        s.conn().exec("update ident set ico = \"44556677\"");
    });
    crash();
    app::Aktualizaceprogr(session(), true);
    EXPECT_EQ(order, QStringList({"maintenance", "automatic check"}));
    EXPECT_EQ(session().icoOrg, "44556677") << "ident is read after the update check";
    app::Aktualizaceprogr(session(), false);
    EXPECT_EQ(order, QStringList({"maintenance", "automatic check", "manual check"}));
}

struct IdentCase {
    const char* name;
    QStringList rows;        // values (ico, obedar_databaze) as SQL
    QString zdrojPoctu;
    QString icoOrg;
};
void PrintTo(const IdentCase& c, std::ostream* os) { *os << c.name; }

class Ident : public DbTest, public ::testing::WithParamInterface<IdentCase> {};

TEST_P(Ident, FirstRowGivesCountSourceAndOrganisation) {
    session().zdrojPoctu = "dbf";
    session().icoOrg = "stare";
    db->exec("delete from ident");
    for (const auto& r : GetParam().rows) db->exec("insert into ident (ico, obedar_databaze) values (" + r + ")");
    app::readIdent(session());
    EXPECT_EQ(session().zdrojPoctu, GetParam().zdrojPoctu);
    EXPECT_EQ(session().icoOrg, GetParam().icoOrg);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, Ident,
    ::testing::Values(IdentCase{"noRow", {}, "", ""},
                      IdentCase{"noMealDatabase", {"\"00123456\", null"}, "", "00123456"},
                      IdentCase{"emptyNameCountsAsSet", {"\"00123456\", \"\""}, "sql", "00123456"},
                      IdentCase{"namedDatabase", {"\"00123456\", \"obedar\""}, "sql", "00123456"},
                      IdentCase{"firstRowDecides", {"\"11111111\", null", "\"22222222\", \"obedar\""}, "", "11111111"}),
    [](const auto& info) { return std::string(info.param.name); });
