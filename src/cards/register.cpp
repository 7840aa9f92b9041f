#include "cards/register.h"

#include "app/commands.h"
#include "cards/skarta.h"

#include <QPushButton>

namespace cards {

void registerCommands(app::CommandRegistry& r) {
    r.add("Skladovakarta21", [](app::Session& s, QWidget* mainWindow) {
        Tfskarta f(s, mainWindow);
        f.Button2->hide();
        f.Button3->hide();
        f.Button4->hide();
        f.Tag = 100;
        f.exec();
    });
}

} // namespace cards
