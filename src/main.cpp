#include "app/commands.h"
#include "app/program.h"

int main(int argc, char** argv) {
    app::CommandRegistry commands;
    // Each subsystem registers the windows its menu commands open.
    return app::runProgram(argc, argv, commands);
}
