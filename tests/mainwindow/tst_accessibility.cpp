// The program as a screen reader and a keyboard user meet it: what every
// control is called, what the cells and pictures say as the experiment runs,
// and how the focus moves and follows the buttons that are usable.
#include "graph/canvas.h"
#include "graph/form2.h"
#include "help/form4.h"
#include "support/fakes.h"

#include <QAccessible>
#include <QApplication>
#include <QLabel>
#include <QPushButton>
#include <QSet>
#include <QTest>
#include <QTimer>

#include <memory>
#include <utility>

using testing::ScriptedForm;

namespace {

QAccessibleInterface *accessible(QObject *object) {
    return QAccessible::queryAccessibleInterface(object);
}

QString accessibleText(QObject *object, QAccessible::Text which) {
    QAccessibleInterface *iface = accessible(object);
    return iface ? iface->text(which) : QStringLiteral("<no interface>");
}

// The window's children as a screen reader walks them.
QList<QAccessibleInterface *> accessibleChildren(QWidget *window) {
    QList<QAccessibleInterface *> children;
    QAccessibleInterface *root = accessible(window);
    for (int i = 0; root && i < root->childCount(); ++i) {
        children << root->child(i);
    }
    return children;
}

// The 21 labels whose text the experiment changes.
constexpr const char *kChangingLabels[] = {
    "hanntei1",    "hanntei2",      "hanntei3",    "aikolabel",   "a1katilabel", "b1katilabel",
    "c1katilabel", "abc1katiLabel", "a1makelabel", "b1makelabel", "c1makelabel", "abc1makelabel",
    "aikow",       "a1katiw",       "b1katiw",     "c1katiw",     "abc1katiw",   "a1makew",
    "b1makew",     "c1makew",       "abc1makew",
};

// Hands as letters: G rock, S scissors, P paper.
std::int16_t handOf(QChar letter) {
    return letter == u'G' ? 1 : letter == u'S' ? 2 : 3;
}

// Runs a script of steps on the form: "GSP" a judged round with those
// hands, "J" the shuffle opened, "T" one tick of each shuffle timer, "R" the
// reset.
void run(ScriptedForm &t, const QString &script) {
    for (const QString &step : script.split(u' ', Qt::SkipEmptyParts)) {
        if (step == u"J") {
            t.form->Command1_Click();
        } else if (step == u"T") {
            t.form->Timer1_Timer();
            t.form->Timer2_Timer();
            t.form->Timer3_Timer();
        } else if (step == u"R") {
            t.form->Command4_Click();
        } else {
            QVERIFY2(step.size() == 3, qPrintable(step));
            t.play(handOf(step[0]), handOf(step[1]), handOf(step[2]));
        }
    }
}

// A scripted main window shown and active, so that it has a keyboard focus
// and its hidden pictures are hidden to the screen reader too.
std::unique_ptr<ScriptedForm> shownForm() {
    auto t = std::make_unique<ScriptedForm>();
    t->form->show();
    t->form->activateWindow();
    if (!QTest::qWaitForWindowActive(t->form.get())) {
        return nullptr;
    }
    return t;
}

QString focusName() {
    const QWidget *focus = QApplication::focusWidget();
    return focus ? focus->objectName() : QStringLiteral("<none>");
}

}  // namespace

class TestAccessibility : public QObject {
    Q_OBJECT

private slots:
    void everyControlIsNamed_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<int>("role");
        const int graphic = QAccessible::Graphic;
        const int text = QAccessible::StaticText;
        const int button = QAccessible::PushButton;
        const QString players[] = {QStringLiteral(u"Ａくん"), QStringLiteral(u"Ｂくん"),
                                   QStringLiteral(u"Ｃくん")};
        const char *hands[] = {"guu", "pii", "paa"};
        const QString handWords[] = {QStringLiteral(u"グー"), QStringLiteral(u"チョキ"),
                                     QStringLiteral(u"パー")};
        for (int p = 0; p < 3; ++p) {
            for (int h = 0; h < 3; ++h) {
                const QByteArray object = hands[h] + QByteArray::number(p + 1);
                QTest::newRow(object.constData()) << players[p] + u' ' + handWords[h] << graphic;
            }
            QTest::newRow(("hanntei" + QByteArray::number(p + 1)).constData())
                << players[p] + QStringLiteral(u" 判定") << text;
        }
        const std::pair<const char *, const char16_t *> rows[] = {
            {"aiko", u"あいこ"},       {"a1kati", u"Ａ一人勝ち"}, {"b1kati", u"Ｂ一人勝ち"},
            {"c1kati", u"Ｃ一人勝ち"}, {"abc1kati", u"一人勝ち"}, {"a1make", u"Ａ一人負け"},
            {"b1make", u"Ｂ一人負け"}, {"c1make", u"Ｃ一人負け"}, {"abc1make", u"一人負け"},
        };
        for (const auto &[stem, heading] : rows) {
            const QByteArray count =
                QByteArray(stem) + (qstrcmp(stem, "abc1kati") == 0 ? "Label" : "label");
            QTest::newRow(count.constData())
                << QString::fromUtf16(heading) + QStringLiteral(u" 回数") << text;
            QTest::newRow((QByteArray(stem) + "w").constData())
                << QString::fromUtf16(heading) + QStringLiteral(u" 割合") << text;
        }
        // Buttons and headings by their captions, the ideographic space kept.
        const std::pair<const char *, const char16_t *> buttons[] = {
            {"Command1", u"ジャンケン"}, {"Command2", u"ポ\u3000ン"}, {"Command3", u"自動開始"},
            {"Command4", u"初期化"},     {"Command5", u"HELP"},       {"Command6", u"終了"},
            {"Command7", u"自動停止"},   {"Command8", u"グラフ表示"},
        };
        for (const auto &[object, caption] : buttons) {
            QTest::newRow(object) << QString::fromUtf16(caption) << button;
        }
        QTest::newRow("Label1") << QStringLiteral(u"Ａくん") << text;
        QTest::newRow("Label4") << QStringLiteral(u"あいこ") << text;
        QTest::newRow("Label9") << QStringLiteral(u"一人負け") << text;
        QTest::newRow("Label13") << QStringLiteral(u"回数") << text;
        QTest::newRow("Label14") << QStringLiteral(u"割合") << text;
        QTest::newRow("MMControl1") << QStringLiteral(u"効果音") << int(QAccessible::Client);
    }

    void everyControlIsNamed() {
        QFETCH(QString, name);
        QFETCH(int, role);
        ScriptedForm t;
        QObject *object =
            t.form->findChild<QObject *>(QString::fromLatin1(QTest::currentDataTag()));
        QVERIFY(object);
        QAccessibleInterface *iface = accessible(object);
        QVERIFY(iface);
        QCOMPARE(iface->text(QAccessible::Name), name);
        QCOMPARE(int(iface->role()), role);
        QCOMPARE(iface->parent(), accessible(t.form.get()));
    }

    void theWindowIsAWindowOfNamedDistinctControls() {
        ScriptedForm t;
        QAccessibleInterface *window = accessible(t.form.get());
        QVERIFY(window);
        QCOMPARE(window->role(), QAccessible::Window);
        QCOMPARE(window->text(QAccessible::Name), QStringLiteral(u" じゃんけん"));
        // 58 controls less the four timers, each reached by navigation.
        const QList<QAccessibleInterface *> children = accessibleChildren(t.form.get());
        QCOMPARE(children.size(), 54);
        QSet<QString> names;
        for (QAccessibleInterface *child : children) {
            const QString name = child->text(QAccessible::Name);
            QVERIFY2(!name.isEmpty(), qPrintable(child->object()->objectName()));
            QVERIFY2(!names.contains(name), qPrintable(name));
            names.insert(name);
            QCOMPARE(child->parent(), window);
            QCOMPARE(window->indexOfChild(child), children.indexOf(child));
        }
    }

    void theShownHandIsTheVisiblePicture_data() {
        QTest::addColumn<QString>("script");
        QTest::addColumn<QStringList>("shown");
        const QStringList start{QStringLiteral(u"Ａくん グー"), QStringLiteral(u"Ｂくん チョキ"),
                                QStringLiteral(u"Ｃくん パー")};
        QTest::newRow("start") << QString() << start;
        QTest::newRow("drawn paper, scissors, rock")
            << QStringLiteral("PSG")
            << QStringList{QStringLiteral(u"Ａくん パー"), QStringLiteral(u"Ｂくん チョキ"),
                           QStringLiteral(u"Ｃくん グー")};
        QTest::newRow("drawn all rock, then all paper")
            << QStringLiteral("GGG PPP")
            << QStringList{QStringLiteral(u"Ａくん パー"), QStringLiteral(u"Ｂくん パー"),
                           QStringLiteral(u"Ｃくん パー")};
        // Shuffling from the start values: 1, 2, 3 shown first, then 2, 3, 1.
        QTest::newRow("two shuffle ticks")
            << QStringLiteral("J T T")
            << QStringList{QStringLiteral(u"Ａくん チョキ"), QStringLiteral(u"Ｂくん パー"),
                           QStringLiteral(u"Ｃくん グー")};
        QTest::newRow("reset after a round") << QStringLiteral("PPG R") << start;
    }

    void theShownHandIsTheVisiblePicture() {
        QFETCH(QString, script);
        QFETCH(QStringList, shown);
        const auto t = shownForm();
        QVERIFY(t);
        run(*t, script);
        QStringList visible;
        int hidden = 0;
        for (QAccessibleInterface *child : accessibleChildren(t->form.get())) {
            if (child->role() != QAccessible::Graphic) {
                continue;
            }
            if (child->state().invisible) {
                QVERIFY(!testing::pictureShown(static_cast<QWidget *>(child->object())));
                ++hidden;
            } else {
                visible << child->text(QAccessible::Name);
            }
        }
        visible.sort();
        shown.sort();
        QCOMPARE(visible, shown);
        QCOMPARE(hidden, 6);
    }

    void judgementLabelsTellTheirVerdict_data() {
        QTest::addColumn<QString>("script");
        QTest::addColumn<QStringList>("verdicts");
        const QString win = QStringLiteral(u"勝ち");
        const QString lose = QStringLiteral(u"負け");
        const QString draw = QStringLiteral(u"あいこ");
        QTest::newRow("start") << QString() << QStringList{QString(), QString(), QString()};
        QTest::newRow("all different") << QStringLiteral("GSP") << QStringList{draw, draw, draw};
        QTest::newRow("A alone wins") << QStringLiteral("GSS") << QStringList{win, lose, lose};
        QTest::newRow("B alone wins") << QStringLiteral("SGS") << QStringList{lose, win, lose};
        QTest::newRow("C alone loses") << QStringLiteral("GGS") << QStringList{win, win, lose};
        QTest::newRow("blank after a reset")
            << QStringLiteral("GSS R") << QStringList{QString(), QString(), QString()};
    }

    void judgementLabelsTellTheirVerdict() {
        QFETCH(QString, script);
        QFETCH(QStringList, verdicts);
        ScriptedForm t;
        run(t, script);
        const QString players[] = {QStringLiteral(u"Ａくん"), QStringLiteral(u"Ｂくん"),
                                   QStringLiteral(u"Ｃくん")};
        for (int i = 0; i < 3; ++i) {
            auto *label = t.child<QLabel>(QByteArray("hanntei" + QByteArray::number(i + 1)));
            QCOMPARE(label->text(), verdicts[i]);
            QCOMPARE(accessibleText(label, QAccessible::Name),
                     players[i] + QStringLiteral(u" 判定"));
            QCOMPARE(accessibleText(label, QAccessible::Description), verdicts[i]);
        }
    }

    // Every label the experiment writes tells the screen reader what it
    // shows now; its name stays put. (That Qt announces each change is seen
    // through AT-SPI in the end-to-end test: offscreen, Qt sends no events.)
    void cellDescriptionsFollowTheirText_data() {
        QTest::addColumn<QString>("before");
        QTest::addColumn<QString>("step");
        QTest::addColumn<QStringList>("expected");  // object=text
        QTest::newRow("first round, a draw")
            << QString() << QStringLiteral("GSP")
            << QStringList{QStringLiteral("aikolabel=1"), QStringLiteral("aikow=1.000"),
                           QStringLiteral("a1katilabel=0"), QStringLiteral("abc1makew=0.000")};
        QTest::newRow("A alone wins after a draw")
            << QStringLiteral("GSP") << QStringLiteral("GSS")
            << QStringList{QStringLiteral("aikolabel=1"), QStringLiteral("aikow=0.500"),
                           QStringLiteral("a1katilabel=1"), QStringLiteral("abc1katiw=0.500")};
        QTest::newRow("C alone loses, third round")
            << QStringLiteral("GSP GSS") << QStringLiteral("GGS")
            << QStringList{QStringLiteral("c1makelabel=1"), QStringLiteral("c1makew=0.333"),
                           QStringLiteral("aikow=0.333"), QStringLiteral("abc1makelabel=1")};
        QTest::newRow("reset blanks them")
            << QStringLiteral("GSP GSS") << QStringLiteral("R")
            << QStringList{QStringLiteral("aikolabel="), QStringLiteral("aikow="),
                           QStringLiteral("hanntei1="), QStringLiteral("abc1makew=")};
    }

    void cellDescriptionsFollowTheirText() {
        QFETCH(QString, before);
        QFETCH(QString, step);
        QFETCH(QStringList, expected);
        ScriptedForm t;
        run(t, before);
        QHash<QString, QString> names;
        for (const char *object : kChangingLabels) {
            names.insert(QString::fromLatin1(object),
                         accessibleText(t.child<QLabel>(object), QAccessible::Name));
        }
        run(t, step);
        for (const char *object : kChangingLabels) {
            auto *label = t.child<QLabel>(object);
            const QString key = QString::fromLatin1(object);
            QVERIFY2(accessibleText(label, QAccessible::Description) == label->text(), object);
            QVERIFY2(accessibleText(label, QAccessible::Name) == names.value(key), object);
        }
        for (const QString &pair : expected) {
            const QString object = pair.section(u'=', 0, 0);
            auto *label = t.form->findChild<QLabel *>(object);
            QVERIFY(label);
            QCOMPARE(accessibleText(label, QAccessible::Description), pair.section(u'=', 1));
        }
    }

    void canvasesSayWhatTheyShow_data() {
        QTest::addColumn<bool>("graph");
        QTest::addColumn<QString>("name");
        QTest::addColumn<QStringList>("mentions");
        QTest::newRow("graph") << true << QStringLiteral(u"割合のグラフ")
                               << QStringList{QStringLiteral(u"あいこ"),
                                              QStringLiteral(u"一人勝ち"),
                                              QStringLiteral(u"一人負け"), QStringLiteral("0.33")};
        QTest::newRow("help") << false << QStringLiteral(u"ヘルプ")
                              << QStringList{QStringLiteral(u"設問"), QStringLiteral(u"操作方法")};
    }

    void canvasesSayWhatTheyShow() {
        QFETCH(bool, graph);
        QFETCH(QString, name);
        QFETCH(QStringList, mentions);
        std::unique_ptr<mainwindow::FormWindow> window;
        Canvas *canvas = nullptr;
        if (graph) {
            auto form = std::make_unique<Form2>();
            canvas = form->canvas();
            window = std::move(form);
        } else {
            auto form = std::make_unique<Form4>();
            canvas = form->canvas();
            window = std::move(form);
        }
        QAccessibleInterface *iface = accessible(canvas);
        QVERIFY(iface);
        QCOMPARE(iface->role(), QAccessible::Graphic);
        QCOMPARE(iface->text(QAccessible::Name), name);
        const QString description = iface->text(QAccessible::Description);
        for (const QString &mention : mentions) {
            QVERIFY2(description.contains(mention), qPrintable(description));
        }
        QCOMPARE(accessible(window.get())->role(), QAccessible::Window);
        auto *close = window->findChild<QPushButton *>(QStringLiteral("Command1"));
        QCOMPARE(accessibleText(close, QAccessible::Name), QStringLiteral(u"閉じる"));
    }

    // ---- keyboard ----------------------------------------------------------

    void tabWalksTheUsableButtonsInOrder_data() {
        QTest::addColumn<QString>("setup");  // a script, or "all" for every button enabled
        QTest::addColumn<QString>("from");
        QTest::addColumn<bool>("backwards");
        QTest::addColumn<QStringList>("visited");
        const QStringList idle{"Command3", "Command4", "Command5",
                               "Command6", "Command8", "Command1"};
        QTest::newRow("idle") << QString() << "Command1" << false << idle;
        QTest::newRow("idle, backwards")
            << QString() << "Command1" << true
            << QStringList{"Command8", "Command6", "Command5", "Command4", "Command3", "Command1"};
        QTest::newRow("every button usable")
            << "all"
            << "Command1" << false << QStringList{"Command2", "Command3", "Command4", "Command5",
                                                  "Command6", "Command7", "Command8", "Command1"};
        QTest::newRow("shuffling: ポ　ン alone")
            << "J"
            << "Command2" << false << QStringList{"Command2", "Command2"};
        QTest::newRow("after a round") << "GSP"
                                       << "Command1" << false << idle;
    }

    void tabWalksTheUsableButtonsInOrder() {
        QFETCH(QString, setup);
        QFETCH(QString, from);
        QFETCH(bool, backwards);
        QFETCH(QStringList, visited);
        const auto t = shownForm();
        QVERIFY(t);
        if (setup == u"all") {
            for (QPushButton *button : t->form->findChildren<QPushButton *>()) {
                button->setEnabled(true);
            }
        } else {
            run(*t, setup);
        }
        t->form->findChild<QWidget *>(from)->setFocus(Qt::TabFocusReason);
        QCOMPARE(focusName(), from);
        QStringList walked;
        for (qsizetype i = 0; i < visited.size(); ++i) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab,
                            backwards ? Qt::ShiftModifier : Qt::NoModifier);
            walked << focusName();
        }
        QCOMPARE(walked, visited);
    }

    // Space presses the focused button; when the press disables that button
    // the focus goes to the one the user needs next.
    void spacePressesAndTheFocusPassesOn_data() {
        QTest::addColumn<int>("aikoBefore");
        QTest::addColumn<QString>("from");
        QTest::addColumn<QString>("keys");  // S: Space on the focus, A: an automatic tick
        QTest::addColumn<QString>("focus");
        QTest::addColumn<QString>("buttons");
        QTest::addColumn<int>("rounds");
        QTest::newRow("ジャンケン to ポ　ン") << 0 << "Command1"
                                              << "S"
                                              << "Command2"
                                              << "01000000" << 0;
        QTest::newRow("ポ　ン back to ジャンケン") << 0 << "Command1"
                                                   << "SS"
                                                   << "Command1"
                                                   << "10111101" << 1;
        QTest::newRow("three rounds by Space alone") << 0 << "Command1"
                                                     << "SSSSSS"
                                                     << "Command1"
                                                     << "10111101" << 3;
        QTest::newRow("自動開始 to 自動停止") << 0 << "Command3"
                                              << "S"
                                              << "Command7"
                                              << "00000010" << 0;
        QTest::newRow("automatic ticks keep 自動停止") << 0 << "Command3"
                                                       << "SAA"
                                                       << "Command7"
                                                       << "00000010" << 2;
        QTest::newRow("自動停止 back to 自動開始") << 0 << "Command3"
                                                   << "SAS"
                                                   << "Command3"
                                                   << "10111101" << 1;
        QTest::newRow("limit by ポ　ン: to 初期化") << 998 << "Command1"
                                                    << "SS"
                                                    << "Command4"
                                                    << "00011101" << 999;
        QTest::newRow("limit in automatic play: to 初期化") << 998 << "Command3"
                                                            << "SA"
                                                            << "Command4"
                                                            << "00011101" << 999;
        QTest::newRow("初期化 after the limit keeps the focus") << 998 << "Command1"
                                                                << "SSS"
                                                                << "Command4"
                                                                << "10111101" << 0;
    }

    void spacePressesAndTheFocusPassesOn() {
        QFETCH(int, aikoBefore);
        QFETCH(QString, from);
        QFETCH(QString, keys);
        QFETCH(QString, focus);
        QFETCH(QString, buttons);
        QFETCH(int, rounds);
        const auto t = shownForm();
        QVERIFY(t);
        Module1::aikocount = static_cast<std::int16_t>(aikoBefore);
        t->form->findChild<QWidget *>(from)->setFocus(Qt::TabFocusReason);
        for (QChar key : keys) {
            t->random->pushHands(1, 1, 1);  // a draw whenever a round is judged
            if (key == u'A') {
                t->form->Timer4_Timer();
            } else {
                QTest::keyClick(QApplication::focusWidget(), Qt::Key_Space);
            }
        }
        QCOMPARE(t->buttons(), buttons);
        QCOMPARE(Module1::aikocount + Module1::abc1katicount + Module1::abc1makecount, rounds);
        QCOMPARE(focusName(), focus);
        QVERIFY(QApplication::focusWidget()->isEnabled());
    }

    // A button reached with Tab looks different from the same button
    // without the focus, large command or small button of the top bar.
    void theFocusIsVisible_data() {
        QTest::addColumn<QString>("from");
        QTest::addColumn<bool>("backwards");
        QTest::addColumn<int>("tabs");
        QTest::addColumn<QString>("button");
        QTest::newRow("ジャンケン") << "Command3" << true << 1 << "Command1";
        QTest::newRow("自動開始") << "Command1" << false << 1 << "Command3";
        QTest::newRow("初期化") << "Command1" << false << 2 << "Command4";
        QTest::newRow("グラフ表示") << "Command1" << true << 1 << "Command8";
    }

    void theFocusIsVisible() {
        QFETCH(QString, from);
        QFETCH(bool, backwards);
        QFETCH(int, tabs);
        QFETCH(QString, button);
        const auto t = shownForm();
        QVERIFY(t);
        auto *widget = t->form->findChild<QPushButton *>(button);
        t->form->findChild<QWidget *>(from)->setFocus(Qt::OtherFocusReason);
        const QImage unfocused = widget->grab().toImage();
        const auto press = [backwards] {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab,
                            backwards ? Qt::ShiftModifier : Qt::NoModifier);
        };
        for (int i = 0; i < tabs; ++i) {
            press();
        }
        QCOMPARE(focusName(), button);
        const QImage focused = widget->grab().toImage();
        QCOMPARE(focused.size(), unfocused.size());
        QVERIFY(focused != unfocused);
        press();  // and the mark goes with the focus
        QVERIFY(!widget->hasFocus());
        QCOMPARE(widget->grab().toImage(), unfocused);
    }
};

QTEST_MAIN(TestAccessibility)
#include "tst_accessibility.moc"
