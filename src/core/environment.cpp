#include "core/environment.h"

#include "core/cp1250.h"

#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>
#include <QSysInfo>

namespace core {

Environment Environment::fromArguments(const QStringList& args, const QString& executableDir) {
    Environment env;
    const qsizetype i = args.indexOf("--home");
    if (i >= 0 && i + 1 < args.size()) env.programDir = args[i + 1];
    else if (qEnvironmentVariableIsSet("TALIRKA_HOME")) env.programDir = qEnvironmentVariable("TALIRKA_HOME");
    else env.programDir = executableDir;
    env.programDir = QDir(env.programDir).absolutePath();

    if (qEnvironmentVariableIsSet("TALIRKA_SETTINGS")) {
        env.settingsPath = qEnvironmentVariable("TALIRKA_SETTINGS");
    } else {
        QString base = qEnvironmentVariable("XDG_CONFIG_HOME");
        if (base.isEmpty()) base = QDir::homePath() + "/.config";
        env.settingsPath = base + "/talirka/talirka.INI";
    }
    QDir().mkpath(QFileInfo(env.settingsPath).absolutePath());

    env.computerName = qEnvironmentVariableIsSet("TALIRKA_COMPUTERNAME")
                           ? qEnvironmentVariable("TALIRKA_COMPUTERNAME")
                           : QSysInfo::machineHostName();
    return env;
}

void fixLocalTimeZone() {
    if (qEnvironmentVariableIsEmpty("TZ")) qputenv("TZ", ":/etc/localtime");
}

QString cleanComputerName(const QString& name) {
    QString s = name.left(15);
    s.replace('-', '_');
    s.remove(' ');
    s = stripCp1250Diacritics(s);
    for (auto& c : s) {
        // ß is a letter the server takes in a name over the cp1250 connection; it stays like the
        // other letters.
        const bool ok = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '_' ||
                        c == '$' || c == QChar(0xDF);
        if (!ok) c = '_';
    }
    return s;
}

} // namespace core
