#include "support/testdatabase.h"

#include "app/datamodul.h"

#include <QFile>

using namespace testing_support;

namespace {

int count(TestDatabase& db, const QString& sql) { return db.scalar(sql).toInt(); }

} // namespace

TEST(Startup, ComputerNameGivesWorkstationTables) {
    TestDatabase db;
    StartedSession st(db, "PC ŠKOLA-1");
    EXPECT_EQ(st.s().dm.pracTabulka, "prac_PCSKOLA_1");
    EXPECT_EQ(st.s().dm.vzorTabulka, "vzor_prac_PCSKOLA_1");
    EXPECT_EQ(count(db, "select count(*) from information_schema.tables where table_schema = database() and "
                        "table_name = 'prac_PCSKOLA_1'"),
              1);
}
