// What the browser page is compared with: the desktop's windows, help and graph open. Prints each
// control's rectangle in its window as JSON, and writes the hand pictures into the folder named on
// the command line.
#include "forms/qt/window.h"
#include "graph/form2.h"
#include "help/form4.h"
#include "mainwindow/form1.h"
#include "sound/mmcontrol.h"

#include <QApplication>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <cstdio>

int main(int argc, char **argv) {
    QApplication app(argc, argv);
    const QString out = QCoreApplication::arguments().value(1, QStringLiteral("."));
    Form1 form;
    form.Show();
    form.Command5_Click();
    form.Command8_Click();
    QJsonObject windows;
    const std::initializer_list<const forms::Form *> forms{&form, form.graphWindow(),
                                                           form.helpWindow()};
    for (const forms::Form *f : forms) {
        QWidget *window = forms::qt::widget(*f);
        QJsonObject controls;
        for (QWidget *w : window->findChildren<QWidget *>(Qt::FindDirectChildrenOnly)) {
            // The graph and help windows belong to the main one; the sound control draws
            // nothing, and the page has no element for it.
            if (w->isWindow() || dynamic_cast<MMControl *>(w)) {
                continue;
            }
            const QRect r = w->geometry();
            controls[w->objectName()] = QJsonArray{r.x(), r.y(), r.width(), r.height()};
        }
        windows[window->objectName()] = controls;
    }
    std::fputs(QJsonDocument(windows).toJson(QJsonDocument::Compact).constData(), stdout);
    QWidget *main = forms::qt::widget(form);
    for (const char *hand : {"guu", "pii", "paa"}) {
        for (const char *player : {"1", "2", "3"}) {
            const QString name = QLatin1String(hand) + QLatin1String(player);
            main->findChild<QWidget *>(name)->grab().toImage().save(out + "/" + name + ".png");
        }
    }
}
