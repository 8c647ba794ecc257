#pragma once

namespace app {

// Starts the application with the main window and runs it until it ends.
int runProgram(int argc, char **argv);

// Whether a windowing system can be reached. Without one, the toolkit would
// abort; the program says so plainly instead.
bool displayAvailable();

}  // namespace app
