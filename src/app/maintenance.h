#pragma once

#include <functional>

namespace app {

class Session;

// The data maintenance "Údržba datových souborů" as the menu runs it. The service module puts its
// command here when it registers; until then the call does nothing.
void runDataMaintenance(Session& s);
void setDataMaintenance(std::function<void(Session&)> maintenance);
bool hasDataMaintenance();

} // namespace app
