// The period document print over a query of vse, as the by-document report opens it.
#include "support/testdatabase.h"
#include "test_prints_data.h"

#include "core/numformat.h"
#include "reporting/document.h"
#include "reporting/preview.h"
#include "stock/tisdokl.h"

using namespace testing_support;
using namespace prints_test;

namespace {

const QString kSelect = "select *\nfrom vse where\ndatum >= \"2024-03-01 00:00:00\" and datum <= \"2024-03-31 00:00:00\"\n"
                        "and (typ = \"P\"or typ = \"V\")\n";

class PeriodPrint : public DbTest {
protected:
    void SetUp() override {
        DbTest::SetUp();
        Header alfa{"20240001", "P", "111", "Alfa s.r.o.", "Brno", "A-1", "1", "2024-03-01", "Nováková", "Svoboda", "", ""};
        add(alfa, {{"10100101", "101001", "Mouka hladká", 8, 12.5, 100.00}, {"20300201", "203002", "Máslo", 1, 50.5, 50.50}});
        Header beta{"20240002", "P", "222", "Beta a.s.", "Olomouc", "B-7", "1", "2024-03-02", "Nováková", "Svoboda", "", ""};
        add(beta, {{"30100101", "301001", "Mléko", 2, 15, 30.00}});
        Header alfa2 = alfa;
        alfa2.cislo = "20240003";
        alfa2.datum = "2024-03-03";
        add(alfa2, {{"10100101", "101001", "Mouka hladká", 1.56, 12.5, 19.50}});
        Header issue{"21240001", "V", "", "", "", "", "2", "2024-03-02", "Nováková", "Svoboda", "Obědy", "1,7"};
        add(issue, {{"10100101", "101001", "Mouka hladká", 1.6, 12.5, 20.00, 1},
                    {"20300201", "203002", "Máslo", 0.1, 50, 5.00, 6},
                    {"30100101", "301001", "Mléko", 0.5, 14.5, 7.25, 3}});
        // Outside the period.
        Header april = beta;
        april.cislo = "20240004";
        april.datum = "2024-04-02";
        add(april, {{"30100101", "301001", "Mléko", 1, 15, 15.00}});
    }
    void add(const Header& h, const QVector<Line>& lines) {
        for (const Line& l : lines) db->exec(insertLine("vse", h, l));
    }
    std::shared_ptr<reporting::Document> print(int tag, const QString& order) {
        stock::TFormtisd f;
        f.Tag = tag;
        f.query1 = kSelect + order;
        reporting::PreviewCapture capture;
        f.preview(session(), nullptr);
        EXPECT_EQ(capture.documents.size(), 1u);
        return capture.documents.empty() ? nullptr : std::const_pointer_cast<reporting::Document>(capture.documents[0]);
    }
};

double amount(const QString& line) { return core::parseNumber(line.section(" | ", -1)).value_or(-1); }

} // namespace

TEST_F(PeriodPrint, GroupedBySupplierPrintsEachSuppliersDocumentsWithTheirTotal) {
    const auto doc = print(1, "order by dodavatel, datum, cislo, id");
    QStringList got;
    for (const QString& l : doc->lines()) {
        const QString band = l.section('|', 1, 1);
        if (band != "detail" && band != "pageFooter") got << l.section('|', 1);
    }
    const QString cols = " | Číslo karty | Číslo zboží | Popis zboží | Množství | Nákupní cena Kč | Celkem Kč";
    const QString signs = " | Převzal: | Nováková | Rozúčtoval: | Svoboda";
    EXPECT_EQ(got, QStringList({
                       "dodavatelHeader|",
                       "cisloHeader|VÝDEJKA | Číslo dokladu | 21240001 | Datum: | 2.3.2024 | Středisko | 2 | Obědy" + cols +
                           " | Skup.",
                       "cisloFooter|Celkem za doklad Kč: | 32,25 | z toho sk.1 | 20,00 | z toho sk.3 | 7,25" + signs,
                       "dodavatelFooter|za dodavatele: | 32,25",
                       "dodavatelHeader|111 | Alfa s.r.o.",
                       "cisloHeader|PŘÍJEMKA | Číslo dokladu | 20240001 | Datum: | 1.3.2024 | Středisko | 1 | Dodavatel: | "
                       "Alfa s.r.o. | IČO: | 111 | Sídlo: | Brno | Čis. dokl. dod.: | A-1" + cols,
                       "cisloFooter|Celkem za doklad Kč: | 150,50" + signs,
                       "cisloHeader|PŘÍJEMKA | Číslo dokladu | 20240003 | Datum: | 3.3.2024 | Středisko | 1 | Dodavatel: | "
                       "Alfa s.r.o. | IČO: | 111 | Sídlo: | Brno | Čis. dokl. dod.: | A-1" + cols,
                       "cisloFooter|Celkem za doklad Kč: | 19,50" + signs,
                       "dodavatelFooter|111 | Alfa s.r.o. | za dodavatele: | 170,00",
                       "dodavatelHeader|222 | Beta a.s.",
                       "cisloHeader|PŘÍJEMKA | Číslo dokladu | 20240002 | Datum: | 2.3.2024 | Středisko | 1 | Dodavatel: | "
                       "Beta a.s. | IČO: | 222 | Sídlo: | Olomouc | Čis. dokl. dod.: | B-7" + cols,
                       "cisloFooter|Celkem za doklad Kč: | 30,00" + signs,
                       "dodavatelFooter|222 | Beta a.s. | za dodavatele: | 30,00",
                       "summary|Celkem: | 232,25",
                   }));

    // Each supplier's total is the sum of its documents' totals.
    double docs = 0;
    int suppliers = 0;
    for (const QString& l : doc->lines()) {
        const QString band = l.section('|', 1, 1);
        if (band == "dodavatelHeader") docs = 0;
        if (band == "cisloFooter") docs += core::parseNumber(l.section("Kč: | ", 1).section(" | ", 0, 0)).value();
        if (band == "dodavatelFooter") {
            EXPECT_NEAR(amount(l), docs, 0.001) << l.toStdString();
            ++suppliers;
        }
    }
    EXPECT_EQ(suppliers, 3);
}

TEST_F(PeriodPrint, IssueLinesShowTheirGroupAndShadingStartsAgainWithEachDocument) {
    const auto doc = print(0, "order by datum, cislo, id");
    EXPECT_EQ(doc->lines("detail"), QStringList({"10100101 | 101001 | Mouka hladká | 8,0000 | 12,50 | 100,00",
                                                 "20300201 | 203002 | Máslo | 1,0000 | 50,50 | 50,50",
                                                 "30100101 | 301001 | Mléko | 2,0000 | 15,00 | 30,00",
                                                 "10100101 | 101001 | Mouka hladká | 1,6000 | 12,50 | 20,00 | 1",
                                                 "20300201 | 203002 | Máslo | 0,1000 | 50,00 | 5,00 | 6",
                                                 "30100101 | 301001 | Mléko | 0,5000 | 14,50 | 7,25 | 3",
                                                 "10100101 | 101001 | Mouka hladká | 1,5600 | 12,50 | 19,50"}));
    QStringList shades;
    for (const QString& l : doc->dump())
        if (l.contains("|detail|@background|")) shades << l.section('|', 3);
    EXPECT_EQ(shades, QStringList({"#eaeaea", "#ffffff", "#eaeaea", "#eaeaea", "#ffffff", "#eaeaea", "#eaeaea"}));
}

TEST_F(PeriodPrint, WithoutSupplierGroupingNoSupplierBandsAndGroupSixHasNoSubtotal) {
    const auto doc = print(0, "order by datum, cislo, id");
    QStringList bands;
    for (const QString& l : doc->lines()) bands << l.section('|', 1, 1);
    EXPECT_FALSE(bands.contains("dodavatelHeader"));
    EXPECT_FALSE(bands.contains("dodavatelFooter"));
    EXPECT_EQ(bands.count("cisloHeader"), 4);
    const QStringList footers = doc->lines("cisloFooter");
    const QString issueFooter = footers.filter("32,25").value(0);
    EXPECT_TRUE(issueFooter.startsWith("Celkem za doklad Kč: | 32,25 | z toho sk.1 | 20,00 | z toho sk.3 | 7,25 |"));
    EXPECT_FALSE(issueFooter.contains("sk.6"));
    EXPECT_EQ(doc->lines("summary"), QStringList({"Celkem: | 232,25"}));
    const QStringList footers2 = doc->lines("pageFooter");
    ASSERT_EQ(footers2.size(), doc->pageCount());
    for (int p = 0; p < doc->pageCount(); ++p)
        EXPECT_EQ(footers2[p], QString("Talírka – skladová evidence jídelny | Strana %1").arg(p + 1));
}

TEST_F(PeriodPrint, AnEmptyPeriodPrintsItsFrameOnly) {
    stock::TFormtisd f;
    f.Tag = 1;
    f.query1 = "select * from vse where datum >= \"2030-01-01 00:00:00\" order by dodavatel, datum, cislo";
    reporting::PreviewCapture capture;
    f.preview(session(), nullptr);
    ASSERT_EQ(capture.documents.size(), 1u);
    EXPECT_EQ(capture.last().lines(),
              QStringList({"1|summary|Celkem: | 0,00", "1|pageFooter|Talírka – skladová evidence jídelny | Strana 1"}));
    EXPECT_TRUE(prompter().texts().isEmpty());
}
