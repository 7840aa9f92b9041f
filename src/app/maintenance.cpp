#include "app/maintenance.h"

namespace app {

namespace {
std::function<void(Session&)>& maintenance() {
    static std::function<void(Session&)> m;
    return m;
}
} // namespace

void runDataMaintenance(Session& s) {
    if (maintenance()) maintenance()(s);
}

void setDataMaintenance(std::function<void(Session&)> m) { maintenance() = std::move(m); }

bool hasDataMaintenance() { return bool(maintenance()); }

} // namespace app
