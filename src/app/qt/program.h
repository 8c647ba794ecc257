#pragma once

namespace app {

// Reads the command line (--help, --version and Qt's own options; anything else is an error,
// status 2), then runs the main window until the program ends.
int runProgram(int argc, char **argv);

}  // namespace app
