#pragma once

namespace app {

// The whole program: one instance per workstation, the main window, the message loop.
int runProgram(int argc, char** argv);

} // namespace app
