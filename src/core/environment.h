#pragma once

#include <QString>
#include <QStringList>

namespace core {

// Where the program lives on this workstation and what the workstation is called.
struct Environment {
    QString programDir;     // "beside the program": talirka.ini, monitor.sql, screen/, layouts
    QString settingsPath;   // the per-workstation settings file
    QString computerName;   // as reported, before cleaning

    QString configPath() const { return programDir + "/talirka.ini"; }
    QString inProgramDir(const QString& name) const { return programDir + '/' + name; }

    // --home DIR, else TALIRKA_HOME, else the executable's folder; TALIRKA_SETTINGS, else
    // $XDG_CONFIG_HOME/talirka/talirka.INI; TALIRKA_COMPUTERNAME, else the host name.
    static Environment fromArguments(const QStringList& args, const QString& executableDir);
};

// Without TZ the C library reads /etc/localtime again for every local date it builds; a report
// over thousands of movements spent most of its time there. Call first thing in main.
void fixLocalTimeZone();

// The computer name as table names use it: "-" → "_", blanks removed, cp1250 diacritics to base
// letters, at most 15 characters taken; anything MariaDB does not accept in an unquoted name → "_".
QString cleanComputerName(const QString& name);

} // namespace core
