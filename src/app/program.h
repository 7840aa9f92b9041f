#pragma once

namespace app {

class CommandRegistry;

// The whole program: one instance per workstation, the main window, the message loop.
int runProgram(int argc, char** argv, const CommandRegistry& commands);

} // namespace app
