// The browser edition's start: the main window, shown, for as long as the page is open.
#include "mainwindow/form1.h"

#include <memory>

int main() {
    static std::unique_ptr<Form1> mainWindow;
    mainWindow = std::make_unique<Form1>();
    mainWindow->Show();
    return 0;  // the page's events run the program from here
}
