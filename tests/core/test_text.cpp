#include "core/cp1250.h"
#include "core/environment.h"

#include <gtest/gtest.h>

namespace {

// Every byte cp1250 defines, decoded (0x81, 0x83, 0x88, 0x90 and 0x98 are unassigned).
QString allCp1250Characters() {
    QString out;
    for (int b = 0x20; b < 0x100; ++b) {
        if (b == 0x7f || b == 0x81 || b == 0x83 || b == 0x88 || b == 0x90 || b == 0x98) continue;
        out += core::fromCp1250(QByteArray(1, char(b)));
    }
    return out;
}

TEST(Cp1250, EveryCharacterSurvivesTheRoundTrip) {
    const QString all = allCp1250Characters();
    ASSERT_EQ(all.size(), 0x100 - 0x20 - 6);
    EXPECT_EQ(core::fromCp1250(core::toCp1250(all)), all);
    EXPECT_EQ(core::toCp1250(QString::fromUtf8("Žluťoučký kůň úpěl ďábelské ódy €")),
              QByteArray("\x8elu\x9dou\xe8k\xfd k\xf9\xf2 \xfap\xecl \xef\xe1" "belsk\xe9 \xf3" "dy \x80"));
}

TEST(Cp1250, CharactersOutsideTheCodePageBecomeOneQuestionMark) {
    EXPECT_EQ(core::toCp1250(QString::fromUtf8("a日b")), QByteArray("a?b"));
    EXPECT_EQ(core::toCp1250(QString::fromUtf8("x😀y")), QByteArray("x?y"));   // four UTF-8 bytes
    EXPECT_EQ(core::toCp1250(QString::fromUtf8("ñ")), QByteArray("?"));
    EXPECT_EQ(core::fromCp1250(QByteArray("a\x81" "b")), "a?b");               // unassigned byte
}

TEST(Cp1250, LegacyTextIsUtf8WhenValidElseCp1250) {
    EXPECT_EQ(core::decodeLegacyText(QByteArray("D\xc4\x9bti")), "Děti");
    EXPECT_EQ(core::decodeLegacyText(QByteArray("D\xecti")), "Děti");
    EXPECT_EQ(core::decodeLegacyText(QByteArray("plain")), "plain");
    EXPECT_EQ(core::decodeLegacyText({}), "");
}

TEST(Cp1250, DiacriticsGoToTheirBaseLetters) {
    // Every letter of cp1250 that Unicode decomposes into a Latin letter and a mark.
    int checked = 0;
    for (const QChar c : allCp1250Characters()) {
        const QString nfd = QString(c).normalized(QString::NormalizationForm_D);
        if (nfd.size() < 2 || nfd[0].unicode() >= 0x80 || !nfd[0].isLetter()) continue;
        SCOPED_TRACE(QString(c).toStdString());
        EXPECT_EQ(core::stripCp1250Diacritics(QString(c)), QString(nfd[0]));
        ++checked;
    }
    EXPECT_GE(checked, 70);
    // Letters with a stroke do not decompose but lose it all the same; ß stays.
    EXPECT_EQ(core::stripCp1250Diacritics(QString::fromUtf8("ŁłĐđß")), QString::fromUtf8("LlDdß"));
    EXPECT_EQ(core::stripCp1250Diacritics("ABC xyz 0-9_"), "ABC xyz 0-9_");
}

struct NameCase {
    const char* reported;
    const char* cleaned;
};

const NameCase nameCases[] = {
    {"PC ŠKOLA-1", "PCSKOLA_1"},
    {"KUCHYŇ-2", "KUCHYN_2"},
    {"kuchyň", "kuchyn"},                    // letter case stays
    {"Jídelna Ů", "JidelnaU"},
    {"ŁÓDŹ-ŘÍČANY", "LODZ_RICANY"},
    {"STRAßE", "STRAßE"},
    {"pc.skola", "pc_skola"},
    {"A&B(1)", "A_B_1_"},
    {"sklad$1", "sklad$1"},
    {"ABCDEFGHIJKLMNOPQ", "ABCDEFGHIJKLMNO"},   // at most 15 characters, taken as reported
    {"PC ŠKOLA-1234567890", "PCSKOLA_123456"},
    {"日本", "__"},
    {"", ""},
};

TEST(ComputerName, CleanedForTableNames) {
    for (const auto& c : nameCases) {
        SCOPED_TRACE(c.reported);
        EXPECT_EQ(core::cleanComputerName(QString::fromUtf8(c.reported)), QString::fromUtf8(c.cleaned));
    }
}

} // namespace
