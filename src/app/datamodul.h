#pragma once

#include "app/session.h"

namespace app {

// Where the program's database is when talirka.ini says nothing, and the fixed address that
// replaces that server's host name. TALIRKA_MAKER_HOST and TALIRKA_MAKER_ADDRESS override both.
struct MakerServer {
    static QString host();
    static QString address();
};

// The connection settings of the program configuration file (section LogOn), with the defaults
// of every key; without the section the built-in values.
db::ConnectionParams readConnectionSettings(const core::IniFile& config);

// This computer's own IPv4 address, dotted; 255.255.255.255 when it cannot be found.
QString ownIPv4Address();

// The start-up of the data module, in its fixed order: table names, configuration, connect,
// "set names cp1250", the concurrency warning, jidelny, canteens, column upgrades, the workstation
// table, dnorm, the shared datasets. Throws db::Error when the server or a base table fails.
class DataModuleStartup {
public:
    explicit DataModuleStartup(Session& s) : s_(s) {}

    void run();                                   // all steps, connecting with talirka.ini
    void run(const db::ConnectionParams& params); // all steps with these connection settings

    // The single steps, for tests and for the windows that repeat one of them.
    void computeTableNames();
    void connect(const db::ConnectionParams& params);
    void concurrencyTest();
    void ensureCanteenTable();
    void readCanteens();
    void upgradeColumns();
    void recreateWorkTable();
    void ensureNormGroups();
    void openDatasets();

private:
    Session& s_;
};

// "drop table if exists {pracTabulka}", "create table {pracTabulka} like vse", table3 reopened:
// every receipt or issue window starts with an empty buffer.
void recreateWorkTable(Session& s);

} // namespace app
