#pragma once

namespace app {

// Reads the command line (--help, --version and the toolkit's own options;
// anything else is an error, status 2), then runs the main window until the
// program ends.
int runProgram(int argc, char **argv);

// Whether a windowing system can be reached, or a platform was chosen on the
// command line. Without one, the toolkit would abort; the program says so
// plainly instead.
bool displayAvailable(bool platformChosen = false);

}  // namespace app
