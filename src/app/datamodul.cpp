#include "app/datamodul.h"

#include "core/environment.h"
#include "db/sqltext.h"

#include <QFile>
#include <arpa/inet.h>
#include <ifaddrs.h>
#include <netinet/in.h>

namespace app {

QString MakerServer::host() {
    return qEnvironmentVariableIsSet("TALIRKA_MAKER_HOST") ? qEnvironmentVariable("TALIRKA_MAKER_HOST")
                                                            : QStringLiteral("sql.talirka.cz");
}

QString MakerServer::address() {
    // A documentation address: an installation sets its own.
    return qEnvironmentVariableIsSet("TALIRKA_MAKER_ADDRESS") ? qEnvironmentVariable("TALIRKA_MAKER_ADDRESS")
                                                               : QStringLiteral("192.0.2.10");
}

QString ownIPv4Address() {
    ifaddrs* list = nullptr;
    if (getifaddrs(&list) != 0) return "255.255.255.255";
    QString loopback, found;
    for (ifaddrs* a = list; a; a = a->ifa_next) {
        if (!a->ifa_addr || a->ifa_addr->sa_family != AF_INET) continue;
        char buf[INET_ADDRSTRLEN];
        inet_ntop(AF_INET, &reinterpret_cast<sockaddr_in*>(a->ifa_addr)->sin_addr, buf, sizeof buf);
        const QString ip = QString::fromLatin1(buf);
        if (ip.startsWith("127.")) loopback = ip;
        else if (found.isEmpty()) found = ip;
    }
    freeifaddrs(list);
    if (!found.isEmpty()) return found;
    return loopback.isEmpty() ? "255.255.255.255" : loopback;
}

db::ConnectionParams readConnectionSettings(const core::IniFile& config) {
    db::ConnectionParams p;
    if (!config.sectionExists("LogOn")) {
        p.host = MakerServer::address();
        p.database = "talirka_test";
        p.port = 3306;
        return p;
    }
    p.host = config.readString("LogOn", "IP", ownIPv4Address());
    p.user = config.readString("LogOn", "User", "root");
    p.password = config.readString("LogOn", "Password", "906386");
    p.port = config.readInteger("LogOn", "Sqlport", 3306);
    p.database = config.readString("LogOn", "Database", "talirka");
    // A local socket, for a private server started beside the program.
    p.socket = config.readString("LogOn", "Socket");
    if (p.host.compare(MakerServer::host(), Qt::CaseInsensitive) == 0) p.host = MakerServer::address();
    return p;
}

void DataModuleStartup::run() { run(readConnectionSettings(core::IniFile(s_.env.configPath()))); }

void DataModuleStartup::run(const db::ConnectionParams& params) {
    computeTableNames();
    connect(params);
    concurrencyTest();
    ensureCanteenTable();
    readCanteens();
    upgradeColumns();
    recreateWorkTable();
    ensureNormGroups();
    openDatasets();
}

void DataModuleStartup::computeTableNames() {
    s_.dm.pracTabulka = "prac_" + core::cleanComputerName(s_.env.computerName);
    s_.dm.vzorTabulka = "vzor_" + s_.dm.pracTabulka;
}

void DataModuleStartup::connect(const db::ConnectionParams& params) {
    auto& c = s_.conn();
    c.trace().setFile(s_.env.inProgramDir("monitor.sql"));
    c.open(params);
    c.exec("set names cp1250");
}

void DataModuleStartup::concurrencyTest() {
    auto& c = s_.conn();
    const auto rs = c.query("show processlist");
    int same = 0;
    for (int i = 0; i < rs.rowCount(); ++i)
        if (rs.text(i, "db") == c.params().database && rs.text(i, "user") == c.params().user) ++same;
    if (same > 1) s_.prompter().tell("Talírka SQL", "POZOR - souběžná práce na více PC!", ui::Icon::Warning);
}

void DataModuleStartup::ensureCanteenTable() {
    auto& c = s_.conn();
    if (!c.query("show tables like \"jidelny\"").isEmpty()) return;
    c.exec("CREATE TABLE `jidelny` (\n"
           "`id` int(6) NOT NULL AUTO_INCREMENT,\n"
           "`nazev` varchar(50) DEFAULT NULL,\n"
           "`oznac` char(1) NOT NULL DEFAULT \"\",\n"
           "PRIMARY KEY (`id`)\n"
           ") ENGINE=InnoDB DEFAULT CHARSET=utf8 COLLATE=utf8_unicode_ci;");
}

void DataModuleStartup::readCanteens() {
    const auto rs = s_.conn().query("select * from jidelny");
    if (rs.isEmpty()) {
        s_.aktNazev.clear();
        s_.aktOznac.clear();
        s_.aktIndex = -1;
        s_.nazevA = s_.nazevB = s_.oznacA = s_.oznacB = QString();
        return;
    }
    s_.nazevA = rs.text(0, "nazev");
    s_.oznacA = rs.text(0, "oznac");
    const int second = rs.rowCount() > 1 ? 1 : 0;
    s_.nazevB = rs.text(second, "nazev");
    s_.oznacB = rs.text(second, "oznac");
    // Any value but 0 means the second canteen; the value read stays until a canteen is chosen.
    s_.aktIndex = s_.settings.readInteger("Jidelny", "Aktivni_jidelna", 0);
    s_.aktNazev = s_.aktIndex != 0 ? s_.nazevB : s_.nazevA;
    s_.aktOznac = s_.aktIndex != 0 ? s_.oznacB : s_.oznacA;
}

void DataModuleStartup::upgradeColumns() {
    struct Step {
        const char* test;
        const char* upgrade;
    };
    static const Step steps[] = {
        {"select s6 from normvyd", "alter table normvyd add s6 decimal(20,4) not null default 0.0000 after s5,\n"
                                   " add s7 decimal(20,4) not null default 0.0000 after s6"},
        {"select s8 from normvyd", "alter table normvyd add s8 decimal(8,4) not null default 0.0000 after s7,\n"
                                   " add s9 decimal(8,4) not null default 0.0000 after s8,\n"
                                   " add s10 decimal(8,4) not null default 0.0000 after s9"},
        {"select s6 from prackalv", "alter table prackalv add s6 decimal(8,4) not null default 0.0000 after s5,\n"
                                    " add s7 decimal(8,4) not null default 0.0000 after s6"},
        {"select s8 from prackalv", "alter table prackalv add s8 decimal(8,4) not null default 0.0000 after s7,\n"
                                    " add s9 decimal(8,4) not null default 0.0000 after s8,\n"
                                    " add s10 decimal(8,4) not null default 0.0000 after s9"},
        {"select kos_koef2 from cenik",
         "alter table cenik add KOS_SKUP2 int(2) not null default 0, add KOS_KOEF2 decimal(6,3) not null default 0,\n"
         "add KOS_SKUP3 int(2) not null default 0, add KOS_KOEF3 decimal(6,3) not null default 0,\n"
         "add KOS_SKUP4 int(2) not null default 0, add KOS_KOEF4 decimal(6,3) not null default 0"},
        {"select oznac from normvyd", "alter table normvyd add oznac char(1) not null default \"\""},
        {"select oznac from prackalv", "alter table prackalv add oznac char(1) not null default \"\""},
        {"select oznac from prackal", "alter table prackal add oznac char(1) not null default \"\""},
        {"select oznac from vse", "alter table vse add oznac char(1) not null default \"\""},
        {"select oznac from prac", "alter table prac add oznac char(1) not null default \"\""},
        {"select oznac from pracn", "alter table pracn add oznac char(1) not null default \"\""},
        {"select oznac from normvyd", "alter table normvyd add oznac char(1) not null default \"\""},
        {"select oznac from ident", "alter table ident add oznac char(1) not null default \"\""},
        {"select oznac from jidelnicek", "alter table jidelnicek add oznac char(1) not null default \"\""},
    };
    auto& c = s_.conn();
    // The test reads no rows: "limit 0" keeps it cheap on a large table and fails just the same
    // when the column is missing.
    for (const auto& st : steps)
        if (!c.succeeds(QString(st.test) + " limit 0")) c.exec(st.upgrade);
}

void recreateWorkTable(Session& s) {
    auto& c = s.conn();
    s.dm.table3.close();
    c.exec("drop table if exists " + s.dm.pracTabulka);
    c.exec("create table " + s.dm.pracTabulka + " like vse");
    s.dm.table3.setStatement("select * from " + s.dm.pracTabulka + " order by id");
    s.dm.table3.setTable(s.dm.pracTabulka);
    s.dm.table3.open();
}

void DataModuleStartup::recreateWorkTable() { app::recreateWorkTable(s_); }

void DataModuleStartup::ensureNormGroups() {
    auto& c = s_.conn();
    if (c.query("show tables like \"dnorm\"").isEmpty()) {
        c.exec("CREATE TABLE `dnorm` (\n"
               "`id` int(6) NOT NULL AUTO_INCREMENT,\n"
               "`poradi` int(1) DEFAULT NULL,\n"
               "`oznaceni` varchar(100) DEFAULT NULL,\n"
               "`skupina` varchar(2) DEFAULT NULL,\n"
               "`oznac` char(1) NOT NULL DEFAULT \"\",\n"
               "PRIMARY KEY (`id`)\n"
               ") ENGINE=InnoDB DEFAULT CHARSET=utf8 COLLATE=utf8_unicode_ci;");
        const core::IniFile legacy(s_.env.inProgramDir("dnorm.ini"));
        auto insertSeven = [&](const QString& marker) {
            for (int n = 1; n <= 7; ++n) {
                const QString name = legacy.readString("Tfnastavnorm", QString("suiEdit%1_Text").arg(n));
                const QString code = legacy.readString("Tfnastavnorm", QString("Edit%1_Text").arg(n), "0");
                // Values from the file are escaped like every text (the file is not ours to trust),
                // and cut to the columns as an older server did, so a long name cannot stop the start.
                c.exec(QString("insert into dnorm set poradi = %1, oznaceni = %2, skupina = %3, oznac = %4")
                           .arg(n)
                           .arg(sql::q(name.left(100)), sql::q(code.left(2)), sql::q(marker)));
            }
        };
        if (!s_.aktOznac.isEmpty()) {
            insertSeven(s_.oznacA);
            // With one canteen both rows are the same: its groups once, not twice.
            if (s_.oznacB != s_.oznacA) insertSeven(s_.oznacB);
        } else {
            insertSeven("");
        }
    }
    if (c.query("select * from dnorm").rowCount() == 7 && s_.aktOznac.isEmpty())
        for (int n = 8; n <= 10; ++n) c.exec(QString("insert into dnorm set poradi = %1, oznac = \"\"").arg(n));
    if (c.query("select * from dnorm").rowCount() == 7 && !s_.oznacA.isEmpty()) {
        for (int n = 8; n <= 10; ++n)
            c.exec(QString("insert into dnorm set poradi = %1, oznac = %2").arg(n).arg(sql::q(s_.oznacA)));
        if (s_.oznacB != s_.oznacA)
            for (int n = 8; n <= 10; ++n)
                c.exec(QString("insert into dnorm set poradi = %1, oznac = %2").arg(n).arg(sql::q(s_.oznacB)));
    }
}

void DataModuleStartup::openDatasets() {
    s_.dm.table1.setTable("adresar");
    s_.dm.table4.setTable("norma");
    s_.dm.table5.setTable("prackal");
    s_.dm.pracnorm.setTable("pracnorm");
    s_.dm.pracn.setTable("pracn");
    s_.dm.table1.open();
    s_.dm.table2.open();
    s_.dm.table3.open();
    s_.dm.table4.open();
    s_.dm.table5.open();
}

} // namespace app
