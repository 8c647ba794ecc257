// The three windows as a user opens them from the main window: approved
// images of named states; what an image cannot show (names, stacking and tab
// order, first focus, timers, accessible names); where the focus goes; the
// copies; the help window's way back; the pictures against their grids.
#include "forms/canvas.h"
#include "graph/form2.h"
#include "help/form4.h"
#include "mainwindow/pictures.h"
#include "support/approved.h"
#include "support/fakes.h"

#include <QAccessible>
#include <QAction>
#include <QClipboard>
#include <QFile>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>

#include <random>

using testing::ScriptedForm;

namespace {

// Shown and active, so that the keyboard focus works as for a user.
std::unique_ptr<ScriptedForm> shownForm() {
    auto t = std::make_unique<ScriptedForm>();
    t->form->show();
    t->form->activateWindow();
    return QTest::qWaitForWindowActive(t->form.get()) ? std::move(t) : nullptr;
}

QAccessibleInterface *accessible(QObject *object) {
    return QAccessible::queryAccessibleInterface(object);
}

}  // namespace

class TestMainWindow : public QObject {
    Q_OBJECT

private slots:
    // Image: steps. "GSP" a judged round with those hands (G rock, S
    // scissors, P paper), "998*GSP" as many, "F300" fair rounds of a fixed
    // sequence (up to the limit), "J" a round opened, "T" a tick of each
    // shuffle timer, "R" the reset (which looks as at the start); "graph",
    // "units" (its canvas at 2 x 10 pixels per unit, where a drawing moved by
    // one unit shows) and "help" show that window, activated twice alike.
    void looksAsApproved() {
        for (const QString &row :
             QStringLiteral("main-start:;main-rounds:GSS GSP PGP SGG GGP PGP;main-shuffle:GSS J T "
                            "T;main-closed:998*GSP GGG;"
                            "main-start:GSS SSP 998*PPP R;graph-start:graph;graph-300:F300 "
                            "graph;graph-units-300:F300 units;"
                            "graph-units-first-after-reset:F40 R GGG "
                            "units;graph-units-closed:F5000 units;help:help")
                 .split(u';')) {
            const auto t = shownForm();
            QVERIFY(t);
            std::minstd_rand fair(7);
            QWidget *shown = t->form.get();
            for (const QString &step : row.section(u':', 1).split(u' ', Qt::SkipEmptyParts)) {
                const QString what = step.section(u'*', -1);
                const int times = step.startsWith(u'F') ? step.mid(1).toInt()
                                  : step.contains(u'*') ? step.section(u'*', 0, 0).toInt()
                                                        : 1;
                for (int i = 0; i < times && Module1::recordfull == 0; ++i) {
                    const auto hand = [&](int p) {
                        return what[0] == u'F' ? int(fair() % 3) + 1
                                               : int(QStringLiteral("GSP").indexOf(what[p])) + 1;
                    };
                    what == u"J"   ? t->form->Command1_Click()
                    : what == u"T" ? (t->form->Timer1_Timer(), t->form->Timer2_Timer(),
                                      t->form->Timer3_Timer())
                    : what == u"R" ? t->form->Command4_Click()
                    : what.size() == 3 || what[0] == u'F' ? t->play(hand(0), hand(1), hand(2))
                                                          : void();
                }
                if (what == u"help" || what == u"graph" || what == u"units") {
                    what == u"help" ? t->form->Command5_Click() : t->form->Command8_Click();
                    auto *window = static_cast<forms::FormWindow *>(
                        what == u"help" ? static_cast<QWidget *>(t->form->helpWindow())
                                        : t->form->graphWindow());
                    QVERIFY(QTest::qWaitForWindowExposed(window));
                    shown = what == u"units" ? t->form->graphWindow()->canvas()
                                             : static_cast<QWidget *>(window);
                    QVERIFY(QTest::qWaitForWindowActive(window));  // which draws it
                    if (what == u"units") {
                        shown->setFixedSize(2204, 1204);
                        QMetaObject::invokeMethod(window, "Form_Activate");
                    }
                }
            }
            for (int activation = 0; activation < (shown == t->form.get() ? 1 : 2); ++activation) {
                if (activation > 0) {  // the first drawing is the activation's
                    QMetaObject::invokeMethod(shown->window(), "Form_Activate");
                }
                testing::compareWithApproved(testing::shot(shown), row.section(u':', 0, 0));
            }
        }
        testing::compareWithApproved(Form1().windowIcon().pixmap(32).toImage(),
                                     QStringLiteral("icon"));
    }
    // Every window description is in whole pixels of 15 twips.
    void layoutsAreInWholePixels() {
        for (const auto &[window, controls] :
             {std::pair{mainwindow::form1Window(), mainwindow::form1Controls()},
              std::pair{Form2::windowSpec(), Form2::controlSpecs()},
              std::pair{Form4::windowSpec(), Form4::controlSpecs()}}) {
            QCOMPARE(window.clientWidth % 15 + window.clientHeight % 15, 0);
            for (const forms::ControlSpec &c : controls) {
                QVERIFY2(c.left % 15 + c.top % 15 + c.width % 15 + c.height % 15 == 0, c.name);
            }
        }
    }

    void controlsHaveTheirNamesOrderAndTimers() {
        ScriptedForm t;
        QStringList names, chain, timers, known;  // names in creation order, bottom up
        for (QObject *child : t.form->children()) {
            names << (child->isWidgetType() || qobject_cast<QTimer *>(child) ? child->objectName()
                                                                             : QString());
        }
        names.removeAll(QString());
        QCOMPARE(names.join(u' '),
                 QStringLiteral("Line1 MMControl1 Command8 Command7 Command6 Command5 Command4 "
                                "Command3 Timer4 Command2 "
                                "Command1 Timer3 Timer2 Timer1 abc1makew c1makew b1makew a1makew "
                                "abc1katiw c1katiw b1katiw "
                                "a1katiw aikow Label14 Label13 abc1makelabel c1makelabel "
                                "b1makelabel a1makelabel Label12 "
                                "Label11 Label10 Label9 abc1katiLabel Label8 c1katilabel Label7 "
                                "b1katilabel Label6 a1katilabel "
                                "Label5 aikolabel Label4 hanntei3 hanntei2 hanntei1 Label3 Label2 "
                                "Label1 paa3 pii3 guu3 paa2 "
                                "pii2 guu2 paa1 pii1 guu1"));
        for (QWidget *w = t.child(QStringLiteral("Command1")); chain.size() < 9;
             w = w->nextInFocusChain()) {
            chain << ((w->focusPolicy() & Qt::TabFocus) ? w->objectName() : QString());
            chain.removeAll(QString());
        }
        QCOMPARE(chain.join(u' '), QStringLiteral("Command1 Command2 Command3 Command4 Command5 "
                                                  "Command6 Command7 Command8 Command1"));
        for (QTimer *timer : t.form->findChildren<QTimer *>()) {
            timers << timer->objectName() + u'=' + QString::number(timer->interval()) +
                          (timer->isSingleShot() ? "!" : "");
        }
        QCOMPARE(timers.join(u' '), QStringLiteral("Timer4=500 Timer3=50 Timer2=50 Timer1=50"));
        // A screen reader knows every control by a name of its own, and each
        // window opens with the focus on the first in its tab order.
        Form2 graph;
        Form4 help;
        for (QWidget *w : t.form->findChildren<QWidget *>() + graph.findChildren<QWidget *>() +
                              help.findChildren<QWidget *>()) {
            const QString name =
                accessible(w)->text(QAccessible::Name) + (w->window() == &graph  ? "@2"
                                                          : w->window() == &help ? "@4"
                                                                                 : "");
            QVERIFY2(!name.startsWith(u'@') && !known.contains(name), qPrintable(w->objectName()));
            known << name;
        }
        QCOMPARE(t.form->focusWidget()->objectName() + graph.focusWidget()->objectName() +
                     help.focusWidget()->objectName(),
                 QStringLiteral("Command1Picture1Command1"));
        for (const char *name :
             {"pii2", "hanntei3", "abc1katiLabel", "a1makew", "Command2", "MMControl1"}) {
            known << accessible(t.child(QLatin1String(name)))->text(QAccessible::Name);
        }
        QCOMPARE(known.mid(54 + 6).join(u','),
                 QStringLiteral(
                     u"Ｂくん チョキ,Ｃくん 判定,一人勝ち 回数,Ａ一人負け 割合,ポ　ン,効果音"));
        t.form->show();
        QVERIFY(accessible(t.child(QStringLiteral("guu2")))->role() == QAccessible::Graphic &&
                accessible(t.child(QStringLiteral("guu2")))->state().invisible);
    }

    // Space presses the focused button; when that disables it, the focus goes
    // on to the button needed next. Rows: draws so far, focus, keys (S Space,
    // A an automatic tick), focus then.
    void theFocusPassesOn() {
        for (const QString &row :
             QStringLiteral(
                 "0 Command1 S Command2,0 Command1 SSSS Command1,0 Command3 SAA Command7,"
                 "0 Command3 SAS Command3,998 Command1 SS Command4,998 Command3 SA Command4")
                 .split(u',')) {
            const QStringList f = row.split(u' ');
            const auto t = shownForm();
            QVERIFY(t);
            Module1::aikocount = std::int16_t(f[0].toInt());
            t->child(f[1])->setFocus(Qt::TabFocusReason);
            for (QChar key : f[2]) {
                t->random->pushHands(1, 1, 1);
                key == u'A' ? t->form->Timer4_Timer()
                            : QTest::keyClick(QApplication::focusWidget(), Qt::Key_Space);
            }
            QVERIFY2(QApplication::focusWidget()->objectName() == f[3], qPrintable(row));
        }
    }

    // Ctrl+C copies the result table, or the graph as the canvas shows it; a
    // right-click on a cell of the table or on the canvas offers the same as
    // the one item "コピー". (What the table copies: tst_model.)
    void copying() {
        const auto t = shownForm();
        QVERIFY(t);
        t->play(1, 2, 2);
        QGuiApplication::clipboard()->clear();
        QTest::keyClick(t->form.get(), Qt::Key_C, Qt::ControlModifier);
        QCOMPARE(QGuiApplication::clipboard()->text().section(u'\n', 0, 2),
                 QStringLiteral(u"\t回数\t割合\nあいこ\t0\t0.000\nＡ一人勝ち\t1\t1.000"));
        int cells = 0;
        for (QLabel *label : t->form->findChildren<QLabel *>()) {
            const bool menu = label->contextMenuPolicy() == Qt::ActionsContextMenu &&
                              label->actions().size() == 1;
            QVERIFY2(!menu || label->actions().constFirst()->text() == QStringLiteral(u"コピー"),
                     qPrintable(label->objectName()));
            cells += menu;
        }
        QCOMPARE(cells, 29);  // the two column headings and nine rows of three
        t->form->Command8_Click();
        forms::Canvas *canvas = t->form->graphWindow()->canvas();
        QVERIFY(QTest::qWaitForWindowActive(canvas->window()));
        QTest::keyClick(canvas->window(), Qt::Key_C, Qt::ControlModifier);
        const auto rgb = [](const QImage &image) {
            return image.convertToFormat(QImage::Format_RGB32);
        };
        QCOMPARE(rgb(QGuiApplication::clipboard()->image()),
                 rgb(canvas->grab(canvas->contentsRect()).toImage()));
        QCOMPARE(QString::number(canvas->actions().size()) + canvas->actions().constFirst()->text(),
                 QStringLiteral(u"1コピー"));
        QVERIFY(canvas->contextMenuPolicy() == Qt::ActionsContextMenu);
    }

    // The real question: title, text, はい the default of two buttons, and
    // Escape answering いいえ (7).
    void theExitQuestionAsks() {
        const auto t = shownForm();
        QVERIFY(t);
        QString seen;
        QTimer::singleShot(0, t->form.get(), [&seen] {
            auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
            seen = box->windowTitle() + box->text() + box->defaultButton()->text() +
                   QString::number(box->buttons().size());
            QTest::keyClick(box, Qt::Key_Escape);
        });
        t->form->Command6_Click();
        QCOMPARE(seen, QStringLiteral(u"じゃんけん終了していいですか？はい2"));
        QCOMPARE(t->form->answer, 7.0);
    }

    void theHelpWindowClosesBackToTheMainWindow() {
        const auto t = shownForm();
        QVERIFY(t);
        t->form->Command5_Click();
        QTRY_VERIFY(t->form->helpWindow()->isActiveWindow());
        t->form->helpWindow()->Command1_Click();
        QTRY_VERIFY(!t->form->helpWindow() && t->form->isActiveWindow());
    }

    // The shipped files are what their grids say, with the colours counted as
    // drawn; the approved images show the pictures.
    void picturesAreTheirGrids() {
        for (const QString &row :
             QStringLiteral("guu=322,142,592 pii=312,163,581 paa=421,191,444").split(u' ')) {
            QFile file(QStringLiteral(JANKEN_PICTURE_DIR "/") + row.left(3) +
                       QStringLiteral(".txt"));
            QVERIFY(file.open(QIODevice::ReadOnly));
            const auto grid = mainwindow::parseGrid(file.readAll(), 32, 33);
            QVERIFY(grid);
            const auto picture =
                mainwindow::Picture(1 + row.startsWith(u"pii") + 2 * row.startsWith(u"paa"));
            QVERIFY(mainwindow::pictureFile(picture).size() == 3222 &&
                    mainwindow::pictureFile(picture) == mainwindow::encodeBmp(*grid));
            QVERIFY(!row.startsWith(u"pii") ||
                    (mainwindow::iconFile().size() == 3262 &&
                     mainwindow::iconFile() == mainwindow::encodeIco(*grid)));
            const QString all = grid->join(QString());
            QCOMPARE(QStringLiteral("%1=%2,%3,%4")
                         .arg(row.left(3))
                         .arg(all.count(u'y'))
                         .arg(all.count(u'#'))
                         .arg(all.count(u'.')),
                     row);
        }
    }
};

QTEST_MAIN(TestMainWindow)
#include "tst_mainwindow.moc"
