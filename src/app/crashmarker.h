#pragma once

#include <QString>
#include <functional>

namespace app {

class Session;

// "screen/chyba.txt" in the program folder, left by the handler of unexpected errors.
QString crashMarkerPath(const Session& s);

// When the previous run ended with an unexpected error: removes the marker (first, so that a
// failure during the check leaves a fresh one), says so and runs the data maintenance. True when
// the marker was there.
bool checkCrashMarker(Session& s);

// The installation identity from the first row of ident: zdrojPoctu ("sql" when the meal-ordering
// database is named, even as an empty text) and icoOrg.
void readIdent(Session& s);

// The update check of the start-up timer (automatic) and of "Kontrola nové verze": the crash
// marker, the check for a newer program, the installation identity.
void Aktualizaceprogr(Session& s, bool automatic = true);

// The check for a newer program version, put here by the service module when it registers.
void setUpdateCheck(std::function<void(Session&, bool automatic)> check);

} // namespace app
