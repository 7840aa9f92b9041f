#include "support/testdatabase.h"

#include "schema/schema.h"

using namespace testing_support;

namespace {

// Columns of a table as the server reports them, in their order.
QStringList columns(TestDatabase& db, const QString& table) {
    const auto rs = db.admin().query("select column_name from information_schema.columns where table_schema = "
                                     "database() and table_name = '" + table + "' order by ordinal_position");
    QStringList out;
    for (int i = 0; i < rs.rowCount(); ++i) out << rs.rows[i][0].toString();
    return out;
}

QStringList split(const char* names) { return QString(names).split(' '); }

class InstallTest : public ::testing::Test {
protected:
    TestDatabase db;
};

TEST_F(InstallTest, EveryBaseTableExistsAsInnoDbUtf8) {
    for (const QString& t : schema::baseTables()) {
        SCOPED_TRACE(t.toStdString());
        const auto rs = db.admin().query("select engine, table_collation from information_schema.tables where "
                                         "table_schema = database() and table_name = '" + t + "'");
        ASSERT_EQ(rs.rowCount(), 1);
        EXPECT_EQ(rs.rows[0][0].toString(), "InnoDB");
        EXPECT_TRUE(rs.rows[0][1].toString().startsWith("utf8")) << rs.rows[0][1].toString().toStdString();
    }
    // The tables the program makes itself are not part of the installation.
    EXPECT_EQ(db.scalar("select count(*) from information_schema.tables where table_schema = database() and "
                        "table_name in ('jidelny', 'dnorm')"),
              "0");
}

TEST_F(InstallTest, ColumnOrdersTheStatementsRelyOn) {
    const struct {
        const char* table;
        const char* columns;
    } cases[] = {
        {"vse", "id CISLO TYP ICO DODAVATEL ORGJD CISLDOKL PROVOZOVNA DATUM CISLPOLOZ JKPOV TEXT MNOZSTVI NAKUPCENA "
                "CELKEM PREVZAL ROZUCTOVAL POPIS MJ NORMA SKUPINA INDEXSKUP POPIS2 POPIS3 oznac"},
        {"norma", "id JKPOV TYPJID DATUM TEXT POPIS MNOZSTVI MJ CELKEM POCET CNORMY"},
        {"pracn", "id JKPOV TYPJID POPIS POCET TEXT MNOZSTVI MJ CELKEM DATUM skupina indexskup ident oznac"},
        {"prackal", "id JKPOV TYPJID DATUM TEXT POPIS MNOZSTVI MJ CELKEM POCET skupina indexskup ident oznac"},
        {"normvyd", "id jkpov datum text mj mnozstvi identv ucelkem s0 s1 s2 s3 s4 s5 s6 s7 s8 s9 s10 sc popis "
                    "popis2 popis3 oznac"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.table);
        // Names compare without regard to case, as the server treats them.
        EXPECT_EQ(columns(db, c.table).join(' ').toLower(), QString(c.columns).toLower());
    }
    EXPECT_EQ(columns(db, "prackalv").join(' ').toLower(), columns(db, "normvyd").join(' ').toLower());
    EXPECT_EQ(db.columnDefinitions("pracnorm"), db.columnDefinitions("norma"));
}

TEST_F(InstallTest, WholeRowsCopyBetweenTablesOfTheSameOrder) {
    db.exec("insert into norma (JKPOV, TYPJID, TEXT, POPIS, MNOZSTVI, MJ, POCET, CNORMY) values "
            "('101001', 'Polévka', 'Mouka hladká', 'Bramborová', 0.015, 'kg', 1, '12'), "
            "('101002', 'Polévka', 'Brambory', 'Bramborová', 0.12, 'kg', 1, '12')");
    db.exec("insert into pracnorm select * from norma where popis = \"Bramborová\" and typjid = \"Polévka\"");
    EXPECT_EQ(db.scalar("select group_concat(text order by id separator '|') from pracnorm"), "Mouka hladká|Brambory");
    EXPECT_EQ(db.scalar("select concat(mnozstvi) from pracnorm where jkpov = '101001'"), "0.0150");

    db.exec("insert into normvyd (jkpov, text, mnozstvi, s6, s10, sc, popis3) values ('101001', 'Mouka', 2.5, 1.25, "
            "0.5, 2.5, 'x')");
    db.exec("insert into prackalv select * from normvyd");
    EXPECT_EQ(db.scalar("select concat(text, '|', s6, '|', s10, '|', popis3) from prackalv"), "Mouka|1.2500|0.5000|x");

    // A copied row with id 0 gets a fresh key (the server runs without NO_AUTO_VALUE_ON_ZERO).
    db.exec("insert into vse (typ, text) values ('P', 'a'), ('P', 'b')");
    db.exec("create temporary table kopie select * from vse");
    db.exec("update kopie set id = 0");
    db.exec("insert into vse select * from kopie");
    EXPECT_EQ(db.scalar("select count(distinct id) from vse"), "4");
}

TEST_F(InstallTest, EveryColumnOfVseButIdAndDatumHasADefault) {
    const auto rs = db.admin().query("select column_name, is_nullable, column_default, data_type from "
                                     "information_schema.columns where table_schema = database() and table_name = "
                                     "'vse'");
    ASSERT_EQ(rs.rowCount(), 25);
    for (const auto& r : rs.rows) {
        const QString name = r[0].toString();
        if (name == "id" || name == "DATUM") continue;
        SCOPED_TRACE(name.toStdString());
        EXPECT_EQ(r[1].toString(), "NO");
        EXPECT_FALSE(r[2].isNull());
    }
}

TEST_F(InstallTest, RowsCreatedWithOneDefaultColumnHoldEmptyTextsAndZeros) {
    const struct {
        const char* table;
        const char* insert;
    } cases[] = {
        {"vse", "insert into vse (typ) value (default)"},
        {"sklkarta", "insert into sklkarta (nazev) value (default)"},
        {"cenik", "insert into cenik (nazev) value (default)"},
        {"adresar", "insert into adresar (ico) value (default)"},
        {"pracnorm", "INSERT INTO pracnorm (JKPOV) VALUES (\"\")"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.table);
        db.exec(c.insert);
        const auto row = db.admin().query(QString("select * from %1 where id = last_insert_id()").arg(c.table));
        ASSERT_EQ(row.rowCount(), 1);
        for (int i = 0; i < row.columnCount(); ++i) {
            const auto& f = row.fields[i];
            if (f.name == "id") continue;
            SCOPED_TRACE(f.name.toStdString());
            const QVariant v = row.rows[0][i];
            if (f.kind == db::FieldKind::DateTime || f.kind == db::FieldKind::Date) {
                EXPECT_TRUE(v.isNull());
            } else if (f.kind == db::FieldKind::Text) {
                EXPECT_EQ(v.toString(), "") << "null: " << v.isNull();
                EXPECT_FALSE(v.isNull());
            } else {
                EXPECT_FALSE(v.isNull());
                EXPECT_EQ(v.toDouble(), 0.0);
            }
        }
    }
}

TEST_F(InstallTest, TextColumnsHoldWhatTheWindowsAccept) {
    const struct {
        const char* table;
        const char* column;
        int atLeast;
    } cases[] = {
        {"vse", "CISLO", 8},       {"vse", "TYP", 1},         {"vse", "ICO", 8},         {"vse", "DODAVATEL", 30},
        {"vse", "ORGJD", 50},      {"vse", "CISLDOKL", 10},   {"vse", "PROVOZOVNA", 30}, {"vse", "CISLPOLOZ", 10},
        {"vse", "JKPOV", 13},      {"vse", "TEXT", 50},       {"vse", "PREVZAL", 20},    {"vse", "ROZUCTOVAL", 20},
        {"vse", "POPIS", 600},     {"vse", "MJ", 10},         {"vse", "NORMA", 1},       {"vse", "POPIS2", 254},
        {"vse", "POPIS3", 254},    {"vse", "oznac", 1},       {"sklkarta", "cislokarty", 8},
        {"sklkarta", "druh", 3},   {"cenik", "jkpov", 6},     {"adresar", "NAZEVPODNI", 50},
        {"adresar", "SIDLO", 50},  {"adresar", "ulicecislo", 50}, {"adresar", "ICO", 10},
        {"adresar", "PSC", 6},     {"adresar", "MISTO", 30},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(QString("%1.%2").arg(c.table, c.column).toStdString());
        const QString len = db.scalar(QString("select character_maximum_length from information_schema.columns "
                                              "where table_schema = database() and table_name = '%1' and "
                                              "column_name = '%2'")
                                          .arg(c.table, c.column));
        ASSERT_FALSE(len.isEmpty());
        EXPECT_GE(len.toInt(), c.atLeast);
    }
}

TEST_F(InstallTest, NumericColumnsOfTheUpgradesHaveTheirTypes) {
    const struct {
        const char* table;
        const char* columns;
        const char* type;
        const char* def;
    } cases[] = {
        {"normvyd", "s6 s7", "decimal(20,4)", "0.0000"},
        {"normvyd", "s8 s9 s10", "decimal(8,4)", "0.0000"},
        {"prackalv", "s6 s7 s8 s9 s10", "decimal(8,4)", "0.0000"},
        {"cenik", "KOS_SKUP2 KOS_SKUP3 KOS_SKUP4", "int(2)", "0"},
        {"cenik", "KOS_KOEF2 KOS_KOEF3 KOS_KOEF4", "decimal(6,3)", "0.000"},
    };
    for (const auto& c : cases)
        for (const QString& col : split(c.columns)) {
            SCOPED_TRACE(QString("%1.%2").arg(c.table, col).toStdString());
            const auto rs = db.admin().query(QString("select column_type, is_nullable, column_default from "
                                                     "information_schema.columns where table_schema = database() "
                                                     "and table_name = '%1' and column_name = '%2'")
                                                 .arg(c.table, col));
            ASSERT_EQ(rs.rowCount(), 1);
            EXPECT_EQ(rs.rows[0][0].toString(), c.type);
            EXPECT_EQ(rs.rows[0][1].toString(), "NO");
            EXPECT_EQ(rs.rows[0][2].toString(), c.def);
        }
}

TEST_F(InstallTest, AllergensZeroToFourteenWithoutGaps) {
    const auto rs = db.admin().query("select alergen, popis from alergeny order by alergen");
    ASSERT_EQ(rs.rowCount(), 15);
    for (int i = 0; i < 15; ++i) {
        EXPECT_EQ(rs.rows[i][0].toInt(), i);
        EXPECT_FALSE(rs.rows[i][1].toString().trimmed().isEmpty()) << i;
    }
    EXPECT_TRUE(rs.text(1, "popis").contains("lepek"));
    EXPECT_TRUE(rs.text(7, "popis").startsWith("mléko"));
    EXPECT_TRUE(rs.text(14, "popis").startsWith("měkkýši"));
    EXPECT_EQ(db.scalar("select count(*) from ident"), "1");
    EXPECT_EQ(db.scalar("select concat('[', oznac, ']', ifnull(obedar_databaze, 'null')) from ident"), "[]null");
}

TEST(SchemaScript, SplitsAtSemicolonsOutsideQuotesAndComments) {
    const QString script = "-- a comment; with a semicolon\n"
                           "insert into t values ('a;b', \"c;d\", 'it''s');\n"
                           "create table `x;y` (id int); -- trailing; comment\n"
                           "select 'back\\'slash;';\n"
                           "  ;  \n"
                           "select 1";
    const QStringList s = schema::statements(script);
    ASSERT_EQ(s.size(), 4);
    EXPECT_EQ(s[0], "insert into t values ('a;b', \"c;d\", 'it''s')");
    EXPECT_EQ(s[1], "create table `x;y` (id int)");
    EXPECT_EQ(s[2], "select 'back\\'slash;'");
    EXPECT_EQ(s[3], "select 1");
}

TEST(SchemaScript, InstallationRunsIntoAnEmptyDatabase) {
    TestDatabase empty(false);
    EXPECT_EQ(empty.scalar("select count(*) from information_schema.tables where table_schema = database()"), "0");
    schema::run(empty.admin(), QString::fromUtf8(schema::installSql()));
    EXPECT_EQ(empty.scalar("select count(*) from information_schema.tables where table_schema = database()"),
              QString::number(schema::baseTables().size()));
}

} // namespace
