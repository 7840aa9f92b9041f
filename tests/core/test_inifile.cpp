#include "core/inifile.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

class IniFileTest : public ::testing::Test {
protected:
    QTemporaryDir dir;
    QString path(const QString& name = "talirka.INI") const { return dir.filePath(name); }
    void writeBytes(const QString& name, const QByteArray& bytes) {
        QFile f(path(name));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(bytes);
    }
    QString fileText(const QString& name = "talirka.INI") const {
        QFile f(path(name));
        return f.open(QIODevice::ReadOnly) ? QString::fromUtf8(f.readAll()) : QString();
    }
};

TEST_F(IniFileTest, SectionsAndKeysIgnoreCase) {
    writeBytes("talirka.ini", "[LOGON]\r\nip=10.0.0.5\r\nUSER=kuchar\r\n\r\n[omezeni]\r\nJEN_JIDELNICEK=A\r\n");
    const core::IniFile ini(path("talirka.ini"));
    EXPECT_TRUE(ini.sectionExists("LogOn"));
    EXPECT_TRUE(ini.valueExists("logon", "Ip"));
    EXPECT_EQ(ini.readString("LogOn", "IP"), "10.0.0.5");
    EXPECT_EQ(ini.readString("logon", "User"), "kuchar");
    EXPECT_EQ(ini.readString("Omezeni", "Jen_jidelnicek", "N"), "A");
    EXPECT_EQ(ini.readString("Omezeni", "Jen_normy", "N"), "N");
    EXPECT_FALSE(ini.sectionExists("Jidelny"));
}

TEST_F(IniFileTest, WritingAKeyInOtherCaseReplacesIt) {
    core::IniFile ini(path());
    ini.writeString("Jidelny", "Aktivni_jidelna", "0");
    ini.writeString("JIDELNY", "AKTIVNI_JIDELNA", "1");
    ASSERT_TRUE(ini.save());
    EXPECT_EQ(fileText(), "[Jidelny]\nAktivni_jidelna=1\n\n");
}

TEST_F(IniFileTest, MissingFileReadsAsEmptyWithDefaults) {
    const core::IniFile ini(path("neni.ini"));
    EXPECT_FALSE(ini.sectionExists("LogOn"));
    EXPECT_EQ(ini.readString("LogOn", "User", "root"), "root");
    EXPECT_EQ(ini.readInteger("LogOn", "Sqlport", 3306), 3306);
    EXPECT_TRUE(ini.readBool("LogOn", "FTPpassive", true));
    core::IniFile nowhere(dir.filePath("chybi/slozka/x.INI"));
    nowhere.writeString("A", "b", "c");
    EXPECT_FALSE(nowhere.save());
}

TEST_F(IniFileTest, ValuesLoseSurroundingBlanksAndQuotesLikeWindowsReadsThem) {
    writeBytes("talirka.ini", "[LogOn]\nIP = 10.0.0.5  \nUser=\"kuchar\"\nPassword=' tajne '\nDatabase=\"talirka\nSqlport= 3307\n"
                              "Prazdne=\n");
    const core::IniFile ini(path("talirka.ini"));
    EXPECT_EQ(ini.readString("LogOn", "IP"), "10.0.0.5");
    EXPECT_EQ(ini.readString("LogOn", "User"), "kuchar");
    EXPECT_EQ(ini.readString("LogOn", "Password"), " tajne ");
    EXPECT_EQ(ini.readString("LogOn", "Database"), "\"talirka");   // an unpaired quote stays
    EXPECT_EQ(ini.readInteger("LogOn", "Sqlport", 3306), 3307);
    EXPECT_TRUE(ini.valueExists("LogOn", "Prazdne"));
    EXPECT_EQ(ini.readString("LogOn", "Prazdne", "x"), "");         // present but empty: empty
}

TEST_F(IniFileTest, EveryWrittenValueReadsBackTheSame) {
    const QStringList values = {"", " odsazeno", "na konci ", "\"v uvozovkách\"", "'apostrofy'", "a = b",
                                "Školní jídelna č. 2", "; není komentář", "[není sekce]", "\"", "C:\\zaloha\\"};
    core::IniFile ini(path());
    for (int i = 0; i < values.size(); ++i) ini.writeString("TForm5", QString("k%1").arg(i), values[i]);
    ASSERT_TRUE(ini.save());
    const core::IniFile again(path());
    for (int i = 0; i < values.size(); ++i) {
        SCOPED_TRACE(values[i].toStdString());
        EXPECT_EQ(again.readString("TForm5", QString("k%1").arg(i), "default"), values[i]);
    }
}

TEST_F(IniFileTest, StoredPropertiesUseComponentUnderscoreProperty) {
    core::IniFile ini(path());
    ini.writeProperty("TForm5", "DirectoryEdit2", "Text", "/srv/zaloha");
    ini.writeProperty("TForm1", "vpc", "Checked", "True");
    ASSERT_TRUE(ini.save());
    EXPECT_EQ(fileText(), "[TForm5]\nDirectoryEdit2_Text=/srv/zaloha\n\n[TForm1]\nvpc_Checked=True\n\n");
    const core::IniFile again(path());
    EXPECT_EQ(again.readProperty("tform5", "directoryedit2", "TEXT"), "/srv/zaloha");
    EXPECT_EQ(again.readProperty("TForm5", "Edit9", "Text", "Vyberte cil"), "Vyberte cil");
}

TEST_F(IniFileTest, StringListsHaveASectionWithCountAndItems) {
    core::IniFile ini(path());
    ini.writeString("Tjidelnicek", "suiEdit1_Text", "x");
    ini.writeStringList("Tjidelnicek", "suiMemo1_Lines", {"Polévka", "", "Oběd 1"});
    ASSERT_TRUE(ini.save());
    EXPECT_EQ(fileText(), "[Tjidelnicek]\nsuiEdit1_Text=x\n\n"
                          "[Tjidelnicek.suiMemo1_Lines]\nCount=3\nItem0=Polévka\nItem1=\nItem2=Oběd 1\n\n");

    // A shorter list leaves no stale lines behind.
    core::IniFile again(path());
    EXPECT_EQ(again.readStringList("Tjidelnicek", "suiMemo1_Lines"), QStringList({"Polévka", "", "Oběd 1"}));
    again.writeStringList("Tjidelnicek", "suiMemo1_Lines", {"jen jeden"});
    ASSERT_TRUE(again.save());
    EXPECT_EQ(core::IniFile(path()).readStringList("TJIDELNICEK", "SUIMEMO1_LINES"), QStringList({"jen jeden"}));
    EXPECT_FALSE(core::IniFile(path()).valueExists("Tjidelnicek.suiMemo1_Lines", "Item1"));
}

TEST_F(IniFileTest, StringListWrittenByAnotherProgramInOtherCase) {
    writeBytes("x.INI", "[TJIDELNICEK2.SUIMEMO1_LINES]\ncount=2\nitem0=první\nITEM1=druhý\n");
    EXPECT_EQ(core::IniFile(path("x.INI")).readStringList("Tjidelnicek2", "suiMemo1_Lines"),
              QStringList({"první", "druhý"}));
    EXPECT_TRUE(core::IniFile(path("x.INI")).readStringList("Tjidelnicek", "suiMemo1_Lines").isEmpty());
}

TEST_F(IniFileTest, BooleansAreTrueAndFalse) {
    core::IniFile ini(path());
    ini.writeBool("TForm14", "suiCheckBox1_Checked", true);
    ini.writeBool("TForm14", "suiCheckBox2_Checked", false);
    ASSERT_TRUE(ini.save());
    EXPECT_EQ(fileText(), "[TForm14]\nsuiCheckBox1_Checked=True\nsuiCheckBox2_Checked=False\n\n");

    struct Case {
        const char* text;
        bool def;
        bool expected;
    };
    const Case cases[] = {{"True", false, true}, {"true", false, true},  {"FALSE", true, false},
                          {"1", false, true},    {"0", true, false},     {"-1", false, true},
                          {"ano", true, true},   {"ano", false, false},  {"", true, true}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        core::IniFile v;
        v.loadFromText(QString("[S]\nk=%1\n").arg(c.text));
        EXPECT_EQ(v.readBool("S", "k", c.def), c.expected);
    }
}

TEST_F(IniFileTest, LegacyCp1250FileIsReadRight) {
    // "Děti 7-10 let" and "Strávníci" in cp1250, Windows line ends.
    writeBytes("dnorm.ini", "[Tfnastavnorm]\r\nsuiEdit1_Text=D\xecti 7-10 let\r\nsuiEdit2_Text=Str\xe1vn\xed" "ci\r\n");
    const core::IniFile ini(path("dnorm.ini"));
    EXPECT_EQ(ini.readString("Tfnastavnorm", "suiEdit1_Text"), "Děti 7-10 let");
    EXPECT_EQ(ini.readString("TFNASTAVNORM", "SUIEDIT2_TEXT"), "Strávníci");
}

TEST_F(IniFileTest, Utf8FileWithByteOrderMarkAndComments) {
    writeBytes("x.ini", "\xef\xbb\xbf[Tfnastavnorm]\n; poznámka\nsuiEdit1_Text=Děti\nbez rovnítka\n");
    const core::IniFile ini(path("x.ini"));
    EXPECT_EQ(ini.readString("Tfnastavnorm", "suiEdit1_Text"), "Děti");
    EXPECT_EQ(ini.keys("Tfnastavnorm"), QStringList({"suiEdit1_Text"}));
}

TEST_F(IniFileTest, SavingKeepsOtherSectionsAndTheirOrder) {
    writeBytes("talirka.INI", "[Omezeni]\nJen_jidelnicek=A\n[LogOn]\nFTP=ftp.example.cz\n");
    core::IniFile ini(path());
    ini.writeInteger("Jidelny", "Aktivni_jidelna", 1);
    ini.writeString("omezeni", "Jen_normy", "N");
    ASSERT_TRUE(ini.save());
    EXPECT_EQ(fileText(), "[Omezeni]\nJen_jidelnicek=A\nJen_normy=N\n\n[LogOn]\nFTP=ftp.example.cz\n\n"
                          "[Jidelny]\nAktivni_jidelna=1\n\n");
}

} // namespace
