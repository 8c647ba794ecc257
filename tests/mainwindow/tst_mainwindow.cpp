// The three windows as a user opens them: approved images, and what an image cannot show.
#include "forms/canvas.h"
#include "graph/form2.h"
#include "help/form4.h"
#include "support/testing.h"

#include <QAccessible>
#include <QAction>
#include <QMetaEnum>
#include <QTimer>

#include <random>

class TestMainWindow : public QObject {
    Q_OBJECT

private slots:
    // Image: steps. "GSP" a round of those hands (rock, scissors, paper), "998*GSP" as many,
    // "300*F" fair rounds (to the limit), "J" a round opened, "T" a shuffle tick, "R" the reset;
    // "graph", "units" (its canvas, 2 x 10 px a unit), "help" show it, drawn alike twice.
    void looksAsApproved() {
        for (const QString row :
             {"main-start:", "main-rounds:GSS GSP PGP SGG GGP PGP", "main-shuffle:GSS J T T",
              "main-closed:998*GSP GGG", "main-start:GSS SSP 998*PPP R", "graph-start:graph",
              "graph-300:300*F graph", "graph-units-300:300*F units",
              "graph-units-first-after-reset:40*F R GGG units", "graph-units-closed:5000*F units",
              "help:help"}) {
            testing::ScriptedForm t;
            t.form->show(), t.form->activateWindow();  // its focus drawn as a user sees it
            QVERIFY(QTest::qWaitForWindowActive(t.form.get()));
            Form1 *f = t.form.get();
            std::minstd_rand fair(7);
            QWidget *shown = f;
            for (const QString &step : row.section(u':', 1).split(u' ', Qt::SkipEmptyParts)) {
                const QString what = step.section(u'*', -1);
                const int times = std::max(step.section(u'*', 0, -2).toInt(), 1);
                for (int i = 0; i < times && Module1::recordfull == 0; ++i) {
                    const auto value = [&](int p) {  // in the middle of the hand's third
                        const auto hand =
                            what == u"F" ? fair() % 3 : QStringLiteral("GSP").indexOf(what[p]);
                        return (float(hand) + 0.5f) / 3.0f;
                    };
                    what == u"J"   ? f->Command1_Click()
                    : what == u"T" ? (f->Timer1_Timer(), f->Timer2_Timer(), f->Timer3_Timer())
                    : what == u"R" ? f->Command4_Click()
                    : what.size() <= 3
                        ? (t.random->values = {value(0), value(1), value(2)}, f->Command2_Click())
                        : void();
                }
                if (what.size() > 3) {
                    what == u"help" ? f->Command5_Click() : f->Command8_Click();
                    QWidget *window = what == u"help" ? static_cast<QWidget *>(f->helpWindow())
                                                      : f->graphWindow();
                    QVERIFY(QTest::qWaitForWindowActive(window));  // which draws it
                    shown = what == u"units" ? f->graphWindow()->canvas() : window;
                    if (what == u"units") {
                        shown->setFixedSize(2204, 1204);
                        QMetaObject::invokeMethod(window, "Form_Activate");
                    }
                }
            }
            testing::compareWithApproved(testing::shot(shown), row.section(u':', 0, 0));
            if (shown != f && QMetaObject::invokeMethod(shown->window(), "Form_Activate")) {
                testing::compareWithApproved(testing::shot(shown), row.section(u':', 0, 0));
            }
        }
        testing::compareWithApproved(Form1().windowIcon().pixmap(32).toImage(), "icon");
    }

    // Names bottom up, timers' intervals ("~": single shot or coarse); tab order; コピー (Ctrl+C);
    // for screen readers a name unique in its window, and each kind's role and visibility.
    void controlsHaveTheirNamesOrderAndRoles() {
        testing::ScriptedForm t;
        QStringList names, chain, known;
        for (QObject *c : t.form->children()) {
            const auto *timer = qobject_cast<QTimer *>(c);
            const bool coarse =
                timer && (timer->isSingleShot() || timer->timerType() != Qt::PreciseTimer);
            if (timer || c->isWidgetType()) {
                names << c->objectName() +
                             (timer ? QStringLiteral("=%1").arg(timer->interval()) : "") +
                             (coarse ? "~" : "");
            }
        }
        QCOMPARE(names.join(u' '),
                 QStringLiteral(
                     "Line1 MMControl1 Command8 Command7 Command6 Command5 Command4 Command3 "
                     "Timer4=500 Command2 Command1 Timer3=50 Timer2=50 Timer1=50 abc1makew "
                     "c1makew b1makew a1makew abc1katiw c1katiw b1katiw a1katiw aikow Label14 "
                     "Label13 abc1makelabel c1makelabel b1makelabel a1makelabel Label12 Label11 "
                     "Label10 Label9 abc1katiLabel Label8 c1katilabel Label7 b1katilabel Label6 "
                     "a1katilabel Label5 aikolabel Label4 hanntei3 hanntei2 hanntei1 Label3 "
                     "Label2 Label1 paa3 pii3 guu3 paa2 pii2 guu2 paa1 pii1 guu1"));
        for (QWidget *w = t.child(QStringLiteral("Command1")); chain.size() < 9;
             w = w->nextInFocusChain()) {
            chain << ((w->focusPolicy() & Qt::TabFocus) ? w->objectName() : QString());
            chain.removeAll(QString());
        }
        QCOMPARE(chain.join(u' '), QStringLiteral("Command1 Command2 Command3 Command4 Command5 "
                                                  "Command6 Command7 Command8 Command1"));
        Form2 graph;
        Form4 help;
        QWidgetList all = t.form->findChildren<QWidget *>() + graph.findChildren<QWidget *>() +
                          help.findChildren<QWidget *>();
        const auto accessible = [](QObject *o) { return QAccessible::queryAccessibleInterface(o); };
        for (QWidget *w : all) {
            known << accessible(w)->text(QAccessible::Name) + u'@' +
                         w->window()->metaObject()->className();
            QVERIFY2(!known.back().startsWith(u'@') && known.count(known.back()) == 1,
                     qPrintable(w->objectName()));
        }
        all.removeIf([](QWidget *w) {
            return w->actions().size() != 1 || w->actions()[0]->text() != u"コピー" ||
                   w->actions()[0]->shortcut() != QKeySequence::Copy ||
                   w->contextMenuPolicy() != Qt::ActionsContextMenu;
        });
        QCOMPARE(all.size(), 30);  // 2 headings, 9 rows of 3 cells, the canvas
        t.form->show();
        for (const QString row :
             {"guu2 Graphic 1 Ｂくん グー", "pii2 Graphic 0 Ｂくん チョキ",
              "hanntei3 StaticText 0 Ｃくん 判定", "abc1katiLabel StaticText 0 一人勝ち 回数",
              "a1makew StaticText 0 Ａ一人負け 割合", "Command2 Button 0 ポ　ン",
              "MMControl1 Sound 1 効果音", "Line1 Separator 0 区切り線"}) {
            const QString name = row.section(u' ', 0, 0);
            const QAccessibleInterface *i = accessible(t.child(name));
            QCOMPARE(QStringLiteral("%1 %2 %3 %4")
                         .arg(name, QMetaEnum::fromType<QAccessible::Role>().valueToKey(i->role()),
                              QString::number(i->state().invisible), i->text(QAccessible::Name)),
                     row);
        }
    }
};

QTEST_MAIN(TestMainWindow)
#include "tst_mainwindow.moc"
