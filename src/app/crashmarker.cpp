#include "app/crashmarker.h"

#include "app/maintenance.h"
#include "app/session.h"

#include <QFile>

namespace app {

namespace {
std::function<void(Session&, bool)>& updateCheck() {
    static std::function<void(Session&, bool)> c;
    return c;
}
} // namespace

void setUpdateCheck(std::function<void(Session&, bool)> check) { updateCheck() = std::move(check); }

QString crashMarkerPath(const Session& s) { return s.env.programDir + "/screen/chyba.txt"; }

bool checkCrashMarker(Session& s) {
    const QString marker = crashMarkerPath(s);
    if (!QFile::exists(marker)) return false;
    QFile::remove(marker);
    s.prompter().tell("Talírka SQL", "Program skončilou chybou, bude provedena kontrola dat!", ui::Icon::Warning);
    runDataMaintenance(s);
    return true;
}

void readIdent(Session& s) {
    const auto rs = s.conn().query("select * from ident");
    if (rs.isEmpty()) {
        s.zdrojPoctu.clear();
        s.icoOrg.clear();
        return;
    }
    s.zdrojPoctu = rs.value(0, "obedar_databaze").isNull() ? QString() : QStringLiteral("sql");
    s.icoOrg = rs.text(0, "ico");
}

void Aktualizaceprogr(Session& s, bool automatic) {
    checkCrashMarker(s);

    // The check for a newer version of the program (working window, transfer, installer).
    if (updateCheck()) updateCheck()(s, automatic);

    readIdent(s);
}

} // namespace app
