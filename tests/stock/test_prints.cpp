// The document prints, compared line by line with what the printed page carries.
//
// To look at a receipt the way the store keeper gets it:
//   TALIRKA_PRINT_DIR=/tmp/prints scripts/test -R DocumentPrint.ReceiptAndIssuePdfs
//   pdftoppm -png -r 100 /tmp/prints/prijemka.pdf /tmp/prints/prijemka
// and open /tmp/prints/prijemka-1.png (vydejka.pdf likewise).
#include "support/testdatabase.h"
#include "test_prints_data.h"

#include "db/sqltext.h"
#include "reporting/document.h"
#include "reporting/preview.h"
#include "stock/qtisk2.h"
#include "stock/tisdokl.h"

#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <QTemporaryDir>

using namespace testing_support;
using namespace prints_test;

namespace {

class DocumentPrint : public DbTest {
protected:
    void fillBuffer(const Header& h, const QVector<Line>& lines) {
        for (const Line& l : lines) db->exec(insertLine(session().dm.pracTabulka, h, l));
    }
    QStringList itemsOf(const reporting::Document& d, const QString& band) {
        QStringList out;
        for (const QString& l : d.dump())
            if (l.section('|', 1, 1) == band) out << l.section('|', 2);
        return out;
    }
};

const QString kFooter = "Převzal: | Jana Nováková | Rozúčtoval: | Petr Svoboda | Talírka – skladová evidence jídelny | "
                        "Strana 1";

} // namespace

TEST_F(DocumentPrint, ReceiptPrintsTheSupplierBlockAndNoGroupColumn) {
    fillBuffer(kReceipt, kReceiptLines);
    const auto doc = stock::buildDocumentPrint(session());
    EXPECT_EQ(doc->lines(),
              QStringList({"1|pageHeader|Příjem zboží | Číslo dokladu | 20240001 | Datum: | 5.3.2024 | Středisko | 1 | "
                           "Dodavatel: | Pekárna U Mlýna | IČO: | 12345678 | Sídlo: | Brno, Mlýnská 5 | Čis. dokl. dod.: | "
                           "F2024/77 | Číslo karty | Číslo zboží | Popis zboží | Množství | Nákupní cena Kč | Celkem Kč",
                           "1|detail|10100101 | 101001 | Mouka hladká | 10,0000 | 12,50 | 125,00",
                           "1|detail|20300201 | 203002 | Máslo | 2,5000 | 48,90 | 122,25",
                           "1|summary|Celkem za doklad Kč: | 247,25", "1|pageFooter|" + kFooter}));
    // Odd lines grey, even lines white.
    const QStringList shades = itemsOf(*doc, "detail").filter("@background");
    EXPECT_EQ(shades, QStringList({"@background|#eaeaea", "@background|#ffffff"}));
}

TEST_F(DocumentPrint, IssuePrintsDescriptionAllergensGroupsAndSubtotalsInTheirPositions) {
    session().aktNazev = "ZŠ Lipová";
    fillBuffer(kIssue, kIssueLines);
    const auto doc = stock::buildDocumentPrint(session());
    EXPECT_EQ(doc->lines(),
              QStringList({"1|pageHeader|Výdej zboží | ZŠ Lipová | Číslo dokladu | 21240003 | Datum: | 6.3.2024 | "
                           "Středisko | 2 | Oběd 6.3., \\nALERGENY: 1,3,7 | Číslo karty | Číslo zboží | Popis zboží | "
                           "Množství | Nákupní cena Kč | Celkem Kč | Skup.",
                           "1|detail|10100101 | 101001 | Mouka hladká | 1,5000 | 12,50 | 18,75 | 2",
                           "1|detail|20300201 | 203002 | Máslo | 0,2500 | 48,90 | 12,23 | 2",
                           "1|detail|30100101 | 301001 | Mléko | 3,0000 | 19,90 | 59,70 | 7",
                           "1|summary|Celkem za doklad Kč: | 90,68 | z toho sk.2 | 30,98 | z toho sk.7 | 59,70",
                           "1|pageFooter|" + kFooter}));
    const QStringList summary = itemsOf(*doc, "summary");
    EXPECT_TRUE(summary.contains("skup1|z toho sk.2"));
    EXPECT_TRUE(summary.contains("skupc1|30,98"));
    EXPECT_TRUE(summary.contains("skup7|z toho sk.7"));
    EXPECT_TRUE(summary.contains("skupc7|59,70"));
    EXPECT_EQ(summary.filter(QRegularExpression("^skup\\d+\\|")).size(), 2);
}

TEST_F(DocumentPrint, DescriptionAndAllergenLineVariants) {
    struct Case {
        QString popis, popis2, printed;
    };
    for (const Case& c : {Case{"", "1,3,7", "\\nALERGENY: 1,3,7"}, Case{"Svačina", "", "Svačina"},
                          Case{"Svačina", "  ", "Svačina"}, Case{"  ", "4", "  \\nALERGENY: 4"}}) {
        db->exec("delete from " + session().dm.pracTabulka);
        Header h = kIssue;
        h.popis = c.popis;
        h.popis2 = c.popis2;
        fillBuffer(h, {kIssueLines[0]});
        const auto doc = stock::buildDocumentPrint(session());
        EXPECT_TRUE(itemsOf(*doc, "pageHeader").contains("popis|" + c.printed)) << c.popis.toStdString() << "/"
                                                                                 << c.popis2.toStdString();
    }
}

TEST_F(DocumentPrint, SubtotalsFillTheFirstFivePositionsInOrderAndKeepGroupsSixToTenInTheirOwn) {
    QVector<Line> lines;
    for (int g : {9, 4, 1, 5, 0, 3, 6, 10, 11})
        lines.push_back({"10100101", "101001", "Mouka", 1, double(g) + 0.5, double(g) + 0.5, g});
    fillBuffer(kIssue, lines);
    const auto doc = stock::buildDocumentPrint(session());
    const QStringList summary = itemsOf(*doc, "summary");
    const QStringList expected{"skup1|z toho sk.1", "skup2|z toho sk.3", "skup3|z toho sk.4", "skup4|z toho sk.5",
                               "skup6|z toho sk.6", "skup9|z toho sk.9", "skup10|z toho sk.10"};
    EXPECT_EQ(summary.filter(QRegularExpression("^skup\\d+\\|")), expected);
    EXPECT_TRUE(summary.contains("skupc10|10,50"));
    // Group 0 and the out-of-range 11 have no subtotal, yet count in the total.
    EXPECT_TRUE(summary.contains("celkem|53,50"));
}

TEST_F(DocumentPrint, ReceiptNeverPrintsSubtotalsAndAnEmptyBufferStillPrintsItsHeader) {
    QVector<Line> lines = kReceiptLines;
    lines[0].group = 3;
    fillBuffer(kReceipt, lines);
    EXPECT_EQ(itemsOf(*stock::buildDocumentPrint(session()), "summary").filter(QRegularExpression("^skup")).size(), 0);

    db->exec("delete from " + session().dm.pracTabulka);
    const auto empty = stock::buildDocumentPrint(session());
    ASSERT_EQ(empty->pageCount(), 1);
    QStringList bands;
    for (const QString& l : empty->lines()) bands << l.section('|', 1, 1);
    EXPECT_EQ(bands, QStringList({"pageHeader", "summary", "pageFooter"}));
    EXPECT_TRUE(empty->lines("summary").contains("Celkem za doklad Kč: | 0,00"));

    reporting::PreviewCapture capture;
    stock::printDocument(session(), nullptr);
    ASSERT_EQ(capture.documents.size(), 1u);
    EXPECT_TRUE(prompter().texts().isEmpty());
}

TEST_F(DocumentPrint, ReceiptAndIssuePdfsAreOnePageEach) {
    QTemporaryDir tmp;
    const QString dir = qEnvironmentVariableIsSet("TALIRKA_PRINT_DIR") ? qEnvironmentVariable("TALIRKA_PRINT_DIR") : tmp.path();
    QDir().mkpath(dir);
    session().aktNazev = "ZŠ Lipová";
    struct Case {
        const char* file;
        const Header& header;
        const QVector<Line>& lines;
    };
    for (const Case& c : {Case{"prijemka.pdf", kReceipt, kReceiptLines}, Case{"vydejka.pdf", kIssue, kIssueLines}}) {
        db->exec("delete from " + session().dm.pracTabulka);
        fillBuffer(c.header, c.lines);
        const auto doc = stock::buildDocumentPrint(session());
        EXPECT_EQ(doc->pageCount(), 1);
        const QString path = dir + "/" + c.file;
        ASSERT_TRUE(doc->savePdf(path));
        QFile f(path);
        ASSERT_TRUE(f.open(QIODevice::ReadOnly));
        EXPECT_TRUE(f.readAll().startsWith("%PDF"));
    }
}
