#include "app/program.h"

#include "mainwindow/form1.h"

#include <QApplication>

#include <cstdio>
#include <cstdlib>

namespace app {

namespace {

bool envSet(const char *name) {
    const char *value = std::getenv(name);
    return value && *value;
}

}  // namespace

bool displayAvailable() {
    // An explicitly chosen platform (offscreen, vnc...) needs no display.
    return envSet("QT_QPA_PLATFORM") || envSet("DISPLAY") || envSet("WAYLAND_DISPLAY");
}

int runProgram(int argc, char **argv) {
    if (!displayAvailable()) {
        std::fputs(
            "janken: no display found (DISPLAY is not set); "
            "to run without a screen: xvfb-run -a ./janken\n",
            stderr);
        return 1;
    }
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("janken"));
    Form1 form;
    form.show();
    return QApplication::exec();
}

}  // namespace app
