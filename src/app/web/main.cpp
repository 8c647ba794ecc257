// The browser edition's start: the main window, shown, for as long as the page is open.
#include "mainwindow/form1.h"

#include <emscripten/emscripten.h>

#include <memory>

int main() {
    static std::unique_ptr<Form1> mainWindow;
    mainWindow = std::make_unique<Form1>();
    mainWindow->Show();
    // The page's events and timers run the program from here; returning would end the runtime,
    // and with it every timer.
    emscripten_exit_with_live_runtime();
}
