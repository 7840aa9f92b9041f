#include "support/testdatabase.h"

#include "db/datasetmodel.h"
#include "db/sqltext.h"

using namespace testing_support;

namespace {

// The address book with five suppliers, read by a connection of its own.
class DatasetTest : public ::testing::Test {
protected:
    TestDatabase db;
    db::Connection c;
    void SetUp() override {
        c.open(db.params());
        c.exec("set names cp1250");
        db.exec("insert into adresar (id, NAZEVPODNI, ICO, MISTO) values "
                "(1, 'Pekárna Novák', '11111111', 'Brno'), (2, 'Mlékárna Kunín', '22222222', 'Kunín'),"
                "(3, 'pekařství Dvořák', '33333333', 'Brno'), (4, 'Zelenina Říha', '44444444', 'Olomouc'),"
                "(5, 'Masna Brno', '55555555', 'Brno')");
    }
    std::unique_ptr<db::Dataset> open(const QString& sql = "select * from adresar order by id") {
        auto ds = std::make_unique<db::Dataset>(c, sql);
        ds->setTable("adresar");
        ds->open();
        return ds;
    }
    static QStringList names(const db::Dataset& ds) {
        QStringList out;
        for (int i = 0; i < ds.rowCount(); ++i) out << ds.valueAt(i, "NAZEVPODNI").toString();
        return out;
    }
};

TEST_F(DatasetTest, CursorWalksTheRows) {
    auto ds = open();
    ASSERT_EQ(ds->rowCount(), 5);
    EXPECT_EQ(ds->recNo(), 0);
    EXPECT_FALSE(ds->eof());
    QStringList walked;
    while (!ds->eof()) {
        walked << ds->text("nazevpodni");
        ds->next();
    }
    EXPECT_EQ(walked, names(*ds));
    EXPECT_EQ(ds->recNo(), 4);
    EXPECT_TRUE(ds->prior());
    EXPECT_EQ(ds->text("ICO"), "44444444");
    ds->first();
    EXPECT_FALSE(ds->prior());
    ds->setRecNo(99);
    EXPECT_EQ(ds->recNo(), 4);

    auto empty = open("select * from adresar where id > 100");
    EXPECT_TRUE(empty->isEmpty());
    EXPECT_EQ(empty->recNo(), -1);
    EXPECT_TRUE(empty->eof());
    EXPECT_FALSE(empty->value("ICO").isValid());
}

TEST_F(DatasetTest, FilterHidesRowsWithoutAskingTheServer) {
    auto ds = open();
    int moves = 0;
    ds->afterScroll = [&] { ++moves; };
    ds->setFilter([](const db::Dataset& d, int row) { return d.sourceValue(row, "MISTO").toString() == "Brno"; });
    EXPECT_EQ(names(*ds), QStringList({"Pekárna Novák", "pekařství Dvořák", "Masna Brno"}));
    EXPECT_EQ(ds->recNo(), 0);
    EXPECT_GE(moves, 1);
    // A row the server gets meanwhile is not seen until a refresh.
    db.exec("insert into adresar (id, NAZEVPODNI, MISTO) values (6, 'Nový Brno', 'Brno')");
    EXPECT_EQ(ds->rowCount(), 3);
    ds->refresh();
    EXPECT_EQ(ds->rowCount(), 4);
    ds->clearFilter();
    EXPECT_EQ(ds->rowCount(), 6);
}

TEST_F(DatasetTest, LocateFindsTextsWithoutRegardToCase) {
    auto ds = open();
    struct Case {
        const char* column;
        QVariant value;
        bool partial;
        int row;   // -1: not found, the cursor stays
    } cases[] = {
        {"NAZEVPODNI", "mlékárna kunín", false, 1}, {"nazevpodni", "PEKAŘ", true, 2},
        {"NAZEVPODNI", "Pekárna", false, -1},      {"NAZEVPODNI", "Pekárna", true, 0},
        {"ICO", "44444444", false, 3},             {"id", 5, false, 4},
        {"id", 42, false, -1},                     {"neni", "x", false, -1},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.value.toString().toStdString());
        ds->setRecNo(2);
        EXPECT_EQ(ds->locate(c.column, c.value, c.partial), c.row >= 0);
        EXPECT_EQ(ds->recNo(), c.row >= 0 ? c.row : 2);
    }
    // Only visible rows are found.
    ds->setFilter([](const db::Dataset& d, int row) { return d.sourceValue(row, "MISTO").toString() != "Kunín"; });
    EXPECT_FALSE(ds->locate("ICO", "22222222"));
}

TEST_F(DatasetTest, RefreshKeepsTheCursorOnTheSameRow) {
    // Sorted: Masna Brno, Mlékárna Kunín, Pekárna Novák, pekařství Dvořák, Zelenina Říha.
    auto ds = open("select * from adresar order by NAZEVPODNI");
    ASSERT_TRUE(ds->locate("ICO", "22222222"));
    ASSERT_EQ(ds->recNo(), 1);
    // A supplier sorted before the current one moves it down a row.
    db.exec("insert into adresar (id, NAZEVPODNI) values (7, 'Antonín Bělohlávek')");
    ds->refresh();
    EXPECT_EQ(ds->text("ICO"), "22222222");
    EXPECT_EQ(ds->recNo(), 2);
    // When the row is gone the cursor stays at its position.
    db.exec("delete from adresar where id = 2");
    ds->refresh();
    EXPECT_EQ(ds->rowCount(), 5);
    EXPECT_EQ(ds->recNo(), 2);
    EXPECT_EQ(ds->text("NAZEVPODNI"), "Pekárna Novák");
}

TEST_F(DatasetTest, StoreChangesOneRowByItsKey) {
    auto ds = open();
    ds->store(1, "NAZEVPODNI", "Mlékárna \"U Kravičky\" s.r.o.");
    ds->storeRow(3, {{"MISTO", "Olomouc\\Nová Ulice"}, {"psc", "77900"}});
    EXPECT_EQ(ds->valueAt(1, "NAZEVPODNI").toString(), "Mlékárna \"U Kravičky\" s.r.o.");
    EXPECT_EQ(db.scalar("select NAZEVPODNI from adresar where id = 2"), "Mlékárna \"U Kravičky\" s.r.o.");
    EXPECT_EQ(db.scalar("select concat(MISTO, '|', PSC) from adresar where id = 4"), "Olomouc\\Nová Ulice|77900");
    EXPECT_EQ(db.scalar("select count(*) from adresar where NAZEVPODNI in ('Pekárna Novák', 'pekařství Dvořák', "
                        "'Zelenina Říha', 'Masna Brno')"),
              "4");
    // The stored row is what a refresh reads.
    ds->refresh();
    EXPECT_EQ(ds->valueAt(1, "NAZEVPODNI").toString(), "Mlékárna \"U Kravičky\" s.r.o.");
}

TEST_F(DatasetTest, StoreRefusedByTheServerLeavesTheClientCopy) {
    auto ds = open();
    // PSC holds six characters; the server's strict mode refuses more.
    EXPECT_THROW(ds->store(0, "PSC", "1234567"), db::Error);
    EXPECT_EQ(ds->valueAt(0, "PSC").toString(), "");
    EXPECT_EQ(db.scalar("select PSC from adresar where id = 1"), "");
    EXPECT_THROW(ds->store(0, "neni", "x"), db::Error);

    db::Dataset noTable(c, "select * from adresar");
    noTable.open();
    EXPECT_THROW(noTable.store(0, "PSC", "1"), db::Error);
}

TEST_F(DatasetTest, NumbersAndDatesAreStoredAsSqlLiterals) {
    db.exec("insert into vse (id, typ, mnozstvi) values (10, 'P', 1)");
    db::Dataset ds(c, "select * from vse");
    ds.setTable("vse");
    ds.open();
    ds.storeRow(0, {{"MNOZSTVI", 1234.5678}, {"CELKEM", QString("12,5")}, {"skupina", 3},
                    {"DATUM", QDate(2024, 12, 31)}});
    EXPECT_EQ(db.scalar("select concat(mnozstvi, '|', celkem, '|', skupina, '|', datum) from vse"),
              "1234.5678|12.50|3|2024-12-31 00:00:00");
    EXPECT_DOUBLE_EQ(ds.number("CELKEM"), 12.5);
    // A text that is no number never becomes a silent zero.
    EXPECT_THROW(ds.store(0, "MNOZSTVI", QString("abc")), db::ConversionError);
    EXPECT_EQ(db.scalar("select concat(mnozstvi) from vse"), "1234.5678");
    EXPECT_DOUBLE_EQ(ds.number("MNOZSTVI"), 1234.5678);
}

TEST_F(DatasetTest, ModelShowsFormattedNumbersAndStoresEdits) {
    db.exec("insert into vse (id, typ, text, mnozstvi, celkem, datum) values (1, 'P', 'Mouka', 1234.5, 20.1, "
            "'2024-03-05'), (2, 'P', 'Cukr', 0.25, 0, null)");
    db::Dataset ds(c, "select * from vse order by id");
    ds.setTable("vse");
    ds.open();
    db::DatasetModel m(ds);
    m.setColumns({{"TEXT", "Název", {}, true},
                  {"MNOZSTVI", "Množství", "## ##0.0000", true},
                  {"CELKEM", "Celkem", "# ##0.00", false},
                  {"DATUM", "Datum", {}, false}});
    m.reload();
    ASSERT_EQ(m.rowCount(), 2);
    EXPECT_EQ(m.headerData(1, Qt::Horizontal, Qt::DisplayRole).toString(), "Množství");
    EXPECT_EQ(m.data(m.index(0, 1), Qt::DisplayRole).toString(), "1 234,5000");
    EXPECT_EQ(m.data(m.index(0, 2), Qt::DisplayRole).toString(), "20,10");
    EXPECT_EQ(m.data(m.index(0, 3), Qt::DisplayRole).toString(), "05.03.2024");
    EXPECT_EQ(m.data(m.index(1, 3), Qt::DisplayRole).toString(), "");
    EXPECT_TRUE(m.flags(m.index(0, 1)) & Qt::ItemIsEditable);
    EXPECT_FALSE(m.flags(m.index(0, 2)) & Qt::ItemIsEditable);

    EXPECT_TRUE(m.setData(m.index(1, 1), "1 000,125", Qt::EditRole));
    EXPECT_EQ(db.scalar("select concat(mnozstvi) from vse where id = 2"), "1000.1250");
    EXPECT_EQ(m.data(m.index(1, 1), Qt::DisplayRole).toString(), "1 000,1250");
    EXPECT_TRUE(m.setData(m.index(1, 0), "Cukr \"krupice\"", Qt::EditRole));
    EXPECT_EQ(db.scalar("select text from vse where id = 2"), "Cukr \"krupice\"");

    try {
        m.setData(m.index(0, 1), "dvě kila", Qt::EditRole);
        ADD_FAILURE() << "no conversion error";
    } catch (const db::ConversionError& e) {
        EXPECT_EQ(e.field(), "MNOZSTVI");
        EXPECT_EQ(e.value(), "dvě kila");
    }
    EXPECT_EQ(db.scalar("select concat(mnozstvi) from vse where id = 1"), "1234.5000");

    QString refused;
    m.storeError = [&](const db::Error& e) { refused = e.text(); };
    EXPECT_FALSE(m.setData(m.index(0, 0), QString(60, 'x'), Qt::EditRole));
    EXPECT_TRUE(refused.startsWith("Data too long for column 'TEXT'")) << refused.toStdString();
    EXPECT_EQ(m.data(m.index(0, 0), Qt::DisplayRole).toString(), "Mouka");
}

} // namespace
