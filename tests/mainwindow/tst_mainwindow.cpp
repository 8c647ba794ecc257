// The main window as its users meet it: approved images of its states; what
// an image cannot show (names, stacking and tab order, timers, accessible
// names); the keyboard focus; the program's end; the shipped pictures.
#include "graph/form2.h"
#include "help/form4.h"
#include "mainwindow/pictures.h"
#include "support/approved.h"
#include "support/fakes.h"

#include <QAccessible>
#include <QFile>
#include <QTest>

using testing::ScriptedForm;

namespace {

// Steps: "GSP" a judged round with those hands (G rock, S scissors, P
// paper), "998*GSP" as many, "J" a round opened, "T" a tick of each shuffle
// timer, "R" the reset, "A" a tick of automatic play (a draw).
void run(ScriptedForm &t, const QString &script) {
    for (const QString &step : script.split(u' ', Qt::SkipEmptyParts)) {
        const QString what = step.section(u'*', -1);
        for (int i = step.contains(u'*') ? step.section(u'*', 0, 0).toInt() : 1; i > 0; --i) {
            const auto hand = [&what](int p) {
                return int(QStringLiteral("GSP").indexOf(what[p])) + 1;
            };
            what == u"J" ? t.form->Command1_Click()
            : what == u"T"
                ? (t.form->Timer1_Timer(), t.form->Timer2_Timer(), t.form->Timer3_Timer())
            : what == u"R" ? t.form->Command4_Click()
            : what == u"A" ? (t.random->pushHands(1, 1, 1), t.form->Timer4_Timer())
                           : t.play(hand(0), hand(1), hand(2));
        }
    }
}

// Shown and active, so that the keyboard focus works as for a user.
std::unique_ptr<ScriptedForm> shownForm() {
    auto t = std::make_unique<ScriptedForm>();
    t->form->show();
    t->form->activateWindow();
    return QTest::qWaitForWindowActive(t->form.get()) ? std::move(t) : nullptr;
}

QString accessibleName(QObject *object) {
    return QAccessible::queryAccessibleInterface(object)->text(QAccessible::Name);
}

}  // namespace

class TestMainWindow : public QObject {
    Q_OBJECT

private slots:
    void looksAsApproved_data() {
        QTest::addColumn<QString>("script");
        QTest::addColumn<QString>("image");
        QTest::newRow("start") << ""
                               << "main-start";
        QTest::newRow("rounds") << "GSS GSP PGP SGG GGP PGP"
                                << "main-rounds";
        QTest::newRow("shuffle") << "GSS J T T"
                                 << "main-shuffle";
        QTest::newRow("closed") << "998*GSP GGG"
                                << "main-closed";
        QTest::newRow("reset") << "GSS SSP 998*PPP R"
                               << "main-start";  // looks as at the start
    }
    void looksAsApproved() {
        QFETCH(QString, script);
        QFETCH(QString, image);
        const auto t = shownForm();
        QVERIFY(t);
        run(*t, script);
        testing::compareWithApproved(testing::shot(t->form.get()), image);
        testing::compareWithApproved(t->form->windowIcon().pixmap(32).toImage(),
                                     QStringLiteral("icon"));
    }

    // Every window description is in whole pixels of 15 twips.
    void layoutsAreInWholePixels() {
        for (const auto &[window, controls] :
             {std::pair{mainwindow::form1Window(), mainwindow::form1Controls()},
              std::pair{Form2::windowSpec(), Form2::controlSpecs()},
              std::pair{Form4::windowSpec(), Form4::controlSpecs()}}) {
            QCOMPARE(window.clientWidth % 15 + window.clientHeight % 15, 0);
            for (const mainwindow::ControlSpec &c : controls) {
                QVERIFY2(c.left % 15 + c.top % 15 + c.width % 15 + c.height % 15 == 0, c.name);
            }
        }
    }

    void controlsHaveTheirNamesOrderAndTimers() {
        ScriptedForm t;
        QStringList names;  // in creation order from the bottom up, the line beneath all
        for (QObject *child : t.form->children()) {
            names << child->objectName();
        }
        QCOMPARE(names.join(u' '),
                 QStringLiteral("Line1 MMControl1 Command8 Command7 Command6 Command5 Command4 "
                                "Command3 Timer4 Command2 Command1 "
                                "Timer3 Timer2 Timer1 abc1makew c1makew b1makew a1makew abc1katiw "
                                "c1katiw b1katiw a1katiw aikow "
                                "Label14 Label13 abc1makelabel c1makelabel b1makelabel a1makelabel "
                                "Label12 Label11 Label10 Label9 "
                                "abc1katiLabel Label8 c1katilabel Label7 b1katilabel Label6 "
                                "a1katilabel Label5 aikolabel Label4 "
                                "hanntei3 hanntei2 hanntei1 Label3 Label2 Label1 paa3 pii3 guu3 "
                                "paa2 pii2 guu2 paa1 pii1 guu1"));
        QStringList chain, timers, accessible;
        for (QWidget *w = t.child(QStringLiteral("Command1")); chain.size() < 9;
             w = w->nextInFocusChain()) {
            chain << ((w->focusPolicy() & Qt::TabFocus) ? w->objectName() : QString());
            chain.removeAll(QString());
        }
        QCOMPARE(chain.join(u' '), QStringLiteral("Command1 Command2 Command3 Command4 Command5 "
                                                  "Command6 Command7 Command8 Command1"));
        for (const char *name : {"Timer1", "Timer2", "Timer3", "Timer4"}) {
            timers << QString::number(t.child<QTimer>(QLatin1String(name))->interval()) +
                          (t.child<QTimer>(QLatin1String(name))->isSingleShot() ? "!" : "");
        }
        QCOMPARE(timers.join(u' '), QStringLiteral("50 50 50 500"));
        // A screen reader knows every control by a name of its own.
        for (QWidget *w : t.form->findChildren<QWidget *>()) {
            QVERIFY2(!accessibleName(w).isEmpty() && !accessible.contains(accessibleName(w)),
                     qPrintable(w->objectName()));
            accessible << accessibleName(w);
        }
        for (const char *name :
             {"pii2", "hanntei3", "abc1katiLabel", "a1makew", "Command2", "MMControl1"}) {
            accessible << accessibleName(t.child(QLatin1String(name)));
        }
        QCOMPARE(accessible.mid(54).join(u','),
                 QStringLiteral(
                     u"Ｂくん チョキ,Ｃくん 判定,一人勝ち 回数,Ａ一人負け 割合,ポ　ン,効果音"));
        QCOMPARE(QAccessible::queryAccessibleInterface(t.child(QStringLiteral("guu2")))->role(),
                 QAccessible::Graphic);
        t.form->show();
        QVERIFY(QAccessible::queryAccessibleInterface(t.child(QStringLiteral("guu2")))
                    ->state()
                    .invisible);
    }

    // Space presses the focused button; when that disables it, the focus
    // goes on to the button needed next.
    void theFocusPassesOn_data() {
        QTest::addColumn<int>("aiko");
        QTest::addColumn<QString>("from");
        QTest::addColumn<QString>("keys");  // S: Space, A: an automatic tick
        QTest::addColumn<QString>("focus");
        QTest::newRow("ジャンケン to ポ　ン") << 0 << "Command1"
                                              << "S"
                                              << "Command2";
        QTest::newRow("ポ　ン to ジャンケン") << 0 << "Command1"
                                              << "SSSS"
                                              << "Command1";
        QTest::newRow("自動開始 to 自動停止") << 0 << "Command3"
                                              << "SAA"
                                              << "Command7";
        QTest::newRow("自動停止 to 自動開始") << 0 << "Command3"
                                              << "SAS"
                                              << "Command3";
        QTest::newRow("the limit to 初期化") << 998 << "Command1"
                                             << "SS"
                                             << "Command4";
        QTest::newRow("the limit, automatic, to 初期化") << 998 << "Command3"
                                                         << "SA"
                                                         << "Command4";
    }
    void theFocusPassesOn() {
        QFETCH(int, aiko);
        QFETCH(QString, from);
        QFETCH(QString, keys);
        QFETCH(QString, focus);
        const auto t = shownForm();
        QVERIFY(t);
        Module1::aikocount = std::int16_t(aiko);
        t->child(from)->setFocus(Qt::TabFocusReason);
        for (QChar key : keys) {
            t->random->pushHands(1, 1, 1);
            key == u'A' ? t->form->Timer4_Timer()
                        : QTest::keyClick(QApplication::focusWidget(), Qt::Key_Space);
        }
        QCOMPARE(QApplication::focusWidget()->objectName(), focus);
    }

    // はい or the frame's close button ends the program: every window hidden,
    // nothing left running. The frame neither asks nor chimes.
    void theProgramEnds_data() {
        QTest::addColumn<bool>("frame");
        QTest::newRow("はい") << false;
        QTest::newRow("the frame's close") << true;
    }
    void theProgramEnds() {
        QFETCH(bool, frame);
        const auto t = shownForm();
        QVERIFY(t);
        QStringList asked;
        QList<int> ended;
        t->form->setQuestion([&](QWidget *, const QString &text, const QString &title) {
            return asked << text + title, 6;
        });
        t->form->setProgramEnd([&](int status) { ended << status; });
        run(*t, QStringLiteral("GGP J"));
        t->form->Command5_Click(), t->form->Command8_Click();
        t->sound->settings.clear();
        frame ? void(t->form->close()) : t->form->Command6_Click();
        QCOMPARE(ended, QList<int>{0});
        QCOMPARE(asked, frame ? QStringList()
                              : QStringList{QStringLiteral(u"終了していいですか？じゃんけん")});
        QCOMPARE(t->sound->settings.filter(QStringLiteral("FileName")),
                 frame ? QStringList() : QStringList{"FileName=endpinpon.wav"});
        QCOMPARE(t->flags(QStringLiteral("Timer"), 4), QStringLiteral("0000"));
        QVERIFY(!t->form->isVisible() && !t->form->graphWindow()->isVisible() &&
                !t->form->helpWindow()->isVisible());
    }

    void theHelpWindowClosesBackToTheMainWindow() {
        const auto t = shownForm();
        QVERIFY(t);
        t->form->Command5_Click();
        QTRY_VERIFY(t->form->helpWindow()->isActiveWindow());
        t->form->helpWindow()->Command1_Click();
        QTRY_VERIFY(!t->form->helpWindow() && t->form->isActiveWindow());
    }

    // The shipped files are what their grids say, with the colours counted
    // as drawn; the approved images show the pictures.
    void picturesAreTheirGrids() {
        for (const QString &row :
             QStringLiteral("guu=322,142,592 pii=312,163,581 paa=421,191,444").split(u' ')) {
            QFile file(QStringLiteral(JANKEN_PICTURE_DIR "/") + row.left(3) +
                       QStringLiteral(".txt"));
            QVERIFY(file.open(QIODevice::ReadOnly));
            const auto grid = mainwindow::parseGrid(file.readAll(), 32, 33);
            QVERIFY(grid);
            const QByteArray bmp = mainwindow::pictureFile(
                mainwindow::Picture(1 + row.startsWith(u"pii") + 2 * row.startsWith(u"paa")));
            QVERIFY(bmp.size() == 3222 && bmp == mainwindow::encodeBmp(*grid));
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
