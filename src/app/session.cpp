#include "app/session.h"

namespace app {

Session::Session(core::Environment e, ui::Prompter& prompter)
    : env(std::move(e)), settings(env.settingsPath), prompter_(&prompter) {}

void Session::selectCanteen(int index) {
    aktIndex = index == 0 ? 0 : 1;
    aktNazev = aktIndex == 0 ? nazevA : nazevB;
    aktOznac = aktIndex == 0 ? oznacA : oznacB;
    settings.writeInteger("Jidelny", "Aktivni_jidelna", aktIndex);
    settings.save();
}

} // namespace app
