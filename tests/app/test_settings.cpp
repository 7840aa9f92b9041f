#include "support/testdatabase.h"

#include "app/datamodul.h"

#include <QDir>
#include <QFile>

using namespace testing_support;

namespace {

struct EnvVar {
    QByteArray name;
    QByteArray saved;
    bool was;
    EnvVar(const char* n, const QString& value) : name(n), saved(qgetenv(n)), was(qEnvironmentVariableIsSet(n)) {
        if (value.isNull()) qunsetenv(n);
        else qputenv(n, value.toUtf8());
    }
    ~EnvVar() {
        if (was) qputenv(name, saved);
        else qunsetenv(name);
    }
};

struct SettingsCase {
    const char* what;
    const char* ini;            // text of talirka.ini, null: no file at all
    QString host;
    const char* user;
    const char* password;
    int port;
    const char* database;
};

TEST(ConnectionSettings, KeysOfLogOnWithTheirDefaults) {
    const QString own = app::ownIPv4Address();
    const QString maker = app::MakerServer::address();
    const SettingsCase cases[] = {
        {"only IP", "[LogOn]\nIP=192.168.1.20\n", "192.168.1.20", "root", "906386", 3306, "talirka"},
        {"everything", "[LogOn]\nIP=sql.skola.cz\nUser=kuchyne\nPassword=heslo\nSqlport=3307\nDatabase=jidelna\n",
         "sql.skola.cz", "kuchyne", "heslo", 3307, "jidelna"},
        {"odd case and blanks", "[LOGON]\nip = 10.0.0.5\nUSER = kuchyne\nsqlPort = 3310 \n", "10.0.0.5", "kuchyne",
         "906386", 3310, "talirka"},
        {"empty values stay empty", "[LogOn]\nIP=10.0.0.5\nUser=\nPassword=\n", "10.0.0.5", "", "", 3306, "talirka"},
        {"port that is no number", "[LogOn]\nIP=10.0.0.5\nSqlport=mysql\n", "10.0.0.5", "root", "906386", 3306,
         "talirka"},
        {"no IP: this computer", "[LogOn]\nUser=kuchyne\n", own, "kuchyne", "906386", 3306, "talirka"},
        {"maker's host name", "[LogOn]\nIP=sql.talirka.cz\n", maker, "root", "906386", 3306, "talirka"},
        {"maker's host name in capitals", "[LogOn]\nIP=SQL.Talirka.CZ\n", maker, "root", "906386", 3306, "talirka"},
        {"no LogOn section", "[Jine]\nIP=10.0.0.5\n", maker, "", "", 3306, "talirka_test"},
        {"empty file", "", maker, "", "", 3306, "talirka_test"},
        {"no file", nullptr, maker, "", "", 3306, "talirka_test"},
    };
    QTemporaryDir dir;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        const QString path = dir.filePath(QString("%1.ini").arg(&c - cases));
        if (c.ini) {
            QFile f(path);
            ASSERT_TRUE(f.open(QIODevice::WriteOnly));
            f.write(c.ini);
        }
        const auto p = app::readConnectionSettings(core::IniFile(path));
        EXPECT_EQ(p.host, c.host);
        EXPECT_EQ(p.user, c.user);
        EXPECT_EQ(p.password, c.password);
        EXPECT_EQ(p.port, c.port);
        EXPECT_EQ(p.database, c.database);
    }
}

TEST(ConnectionSettings, MakerServerIsConfigurable) {
    EnvVar host("TALIRKA_MAKER_HOST", "db.dodavatel.example"), address("TALIRKA_MAKER_ADDRESS", "198.51.100.7");
    core::IniFile withHost, oldName, without;
    withHost.loadFromText("[LogOn]\nIP=db.dodavatel.example\n");
    oldName.loadFromText("[LogOn]\nIP=sql.talirka.cz\n");
    EXPECT_EQ(app::readConnectionSettings(withHost).host, "198.51.100.7");
    EXPECT_EQ(app::readConnectionSettings(without).host, "198.51.100.7");
    // The built-in name is an ordinary host then.
    EXPECT_EQ(app::readConnectionSettings(oldName).host, "sql.talirka.cz");
}

TEST(ConnectionSettings, OwnAddressIsDottedIPv4) {
    const QString ip = app::ownIPv4Address();
    const QStringList parts = ip.split('.');
    ASSERT_EQ(parts.size(), 4) << ip.toStdString();
    for (const QString& part : parts) {
        bool ok = false;
        const int n = part.toInt(&ok);
        EXPECT_TRUE(ok && n >= 0 && n <= 255) << ip.toStdString();
    }
}

TEST(ProgramFolders, HomeSettingsAndComputerName) {
    QTemporaryDir dir;
    const QString exeDir = dir.filePath("bin"), home = dir.filePath("domov"), envHome = dir.filePath("env");
    const QString settings = dir.filePath("nastaveni/stanice.INI"), xdg = dir.filePath("xdg");
    {
        EnvVar h("TALIRKA_HOME", envHome), s("TALIRKA_SETTINGS", settings), n("TALIRKA_COMPUTERNAME", "PC ŠKOLA-1");
        const auto e = core::Environment::fromArguments({"talirka", "--home", home}, exeDir);
        EXPECT_EQ(e.programDir, home);
        EXPECT_EQ(e.configPath(), home + "/talirka.ini");
        EXPECT_EQ(e.inProgramDir("monitor.sql"), home + "/monitor.sql");
        EXPECT_EQ(e.settingsPath, settings);
        EXPECT_TRUE(QDir(dir.filePath("nastaveni")).exists());
        EXPECT_EQ(e.computerName, "PC ŠKOLA-1");
        EXPECT_EQ(core::Environment::fromArguments({"talirka"}, exeDir).programDir, envHome);
    }
    {
        EnvVar h("TALIRKA_HOME", QString()), s("TALIRKA_SETTINGS", QString()), x("XDG_CONFIG_HOME", xdg),
            n("TALIRKA_COMPUTERNAME", QString());
        const auto e = core::Environment::fromArguments({"talirka"}, exeDir);
        EXPECT_EQ(e.programDir, exeDir);
        EXPECT_EQ(e.settingsPath, xdg + "/talirka/talirka.INI");
        EXPECT_FALSE(e.computerName.isEmpty());
    }
}

TEST(WorkstationSettings, ChosenCanteenIsActiveAtTheNextStart) {
    TestDatabase db;
    db.addCanteen("Školní jídelna", "A");
    db.addCanteen("Výdejna Sever", "B");
    TestWorkstation ws;
    ui::ScriptedPrompter prompter;
    {
        app::Session s(ws.env(), prompter);
        app::DataModuleStartup(s).run(db.params());
        EXPECT_EQ(s.aktOznac, "A");
        s.selectCanteen(1);
        EXPECT_EQ(s.aktIndex, 1);
        EXPECT_EQ(s.aktNazev, "Výdejna Sever");
        EXPECT_EQ(s.aktOznac, "B");
    }
    QFile f(ws.env().settingsPath);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    EXPECT_TRUE(f.readAll().contains("[Jidelny]\nAktivni_jidelna=1\n"));
    {
        app::Session s(ws.env(), prompter);
        app::DataModuleStartup(s).run(db.params());
        EXPECT_EQ(s.aktIndex, 1);
        EXPECT_EQ(s.aktOznac, "B");
        s.selectCanteen(0);
    }
    app::Session again(ws.env(), prompter);
    app::DataModuleStartup(again).run(db.params());
    EXPECT_EQ(again.aktOznac, "A");
    EXPECT_EQ(again.aktNazev, "Školní jídelna");
}

TEST(WorkstationSettings, OtherKeysOfTheFileSurviveTheCanteenChoice) {
    TestDatabase db;
    TestWorkstation ws;
    {
        QFile f(ws.env().settingsPath);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write("[Omezeni]\r\nJen_jidelnicek=A\r\n[TForm5]\r\nDirectoryEdit2_Text=/srv/z\xe1loha\r\n");
    }
    ui::ScriptedPrompter prompter;
    app::Session s(ws.env(), prompter);
    app::DataModuleStartup(s).run(db.params());
    s.selectCanteen(0);
    const core::IniFile reread(ws.env().settingsPath);
    EXPECT_EQ(reread.readString("Omezeni", "Jen_jidelnicek"), "A");
    EXPECT_EQ(reread.readProperty("TForm5", "DirectoryEdit2", "Text"), "/srv/záloha");
    EXPECT_EQ(reread.readInteger("Jidelny", "Aktivni_jidelna", -5), 0);
}

} // namespace
