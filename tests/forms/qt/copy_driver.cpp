// Puts the program's own copy on the clipboard and keeps it there for a real spreadsheet or word
// processor to paste: "main" the main window's table after some rounds, "graph" the graph's
// numbers and picture. Prints "ready" once it is there.   usage: copy_driver main|graph
#include "forms/qt/window.h"
#include "graph/form2.h"
#include "mainwindow/form1.h"

#include <QAction>
#include <QApplication>

#include <cstdio>
#include <cstring>

int main(int argc, char **argv) {
    QApplication app(argc, argv);
    Form1 form;
    form.Show();
    for (int round = 0; round < 30; ++round) {
        form.Command1_Click();
        form.Command2_Click();
    }
    QWidget *copied = forms::qt::widget(form);
    if (argc > 1 && std::strcmp(argv[1], "graph") == 0) {
        form.Command8_Click();
        copied = forms::qt::widget(*form.graphWindow());
    }
    QApplication::processEvents();
    copied->actions().constFirst()->trigger();
    std::puts("ready");
    std::fflush(stdout);
    return QApplication::exec();
}
