#include "app/commands.h"
#include "app/program.h"
#include "cards/register.h"
#include "cards/skltisk.h"
#include "stock/register.h"

int main(int argc, char** argv) {
    app::CommandRegistry commands;
    // Each subsystem registers the windows its menu commands open.
    cards::registerCommands(commands);
    stock::registerCommands(commands);
    cards::installCardPrints();
    return app::runProgram(argc, argv, commands);
}
