// The graph window in named states against approved images: at its own size,
// and with its canvas enlarged to 2 x 10 pixels per unit, where a drawing
// moved by one unit shows.
#include "forms/canvas.h"
#include "graph/form2.h"
#include "support/approved.h"
#include "support/fakes.h"

#include <QAction>
#include <QClipboard>

#include <random>

class TestGraph : public QObject {
    Q_OBJECT

private slots:
    void looksAsApproved_data() {
        QTest::addColumn<int>("rounds");  // fair hands from a fixed sequence, or up to the limit
        QTest::addColumn<bool>("reset");  // then a reset and one draw
        QTest::addColumn<bool>("units");
        QTest::newRow("graph-start") << 0 << false << false;
        QTest::newRow("graph-300") << 300 << false << false;
        QTest::newRow("graph-units-300") << 300 << false << true;
        QTest::newRow("graph-units-first-after-reset") << 40 << true << true;
        QTest::newRow("graph-units-closed") << 5000 << false << true;
    }
    void looksAsApproved() {
        QFETCH(int, rounds);
        QFETCH(bool, reset);
        QFETCH(bool, units);
        testing::ScriptedForm t;
        t.form->show();
        std::minstd_rand hands(7);
        for (int i = 0; i < rounds && Module1::recordfull == 0; ++i) {
            t.play(int(hands() % 3) + 1, int(hands() % 3) + 1, int(hands() % 3) + 1);
        }
        if (reset) {
            t.form->Command4_Click();
            t.play(1, 1, 1);
        }
        t.form->Command8_Click();
        Form2 *graph = t.form->graphWindow();
        QVERIFY(QTest::qWaitForWindowExposed(graph));
        if (units) {
            graph->canvas()->setFixedSize(2204, 1204);
        }
        for (int activation = 0; activation < 2; ++activation) {  // the same picture again
            graph->Form_Activate();
            const QImage shown =
                testing::shot(units ? graph->canvas() : static_cast<QWidget *>(graph));
            testing::compareWithApproved(shown, QString::fromLatin1(QTest::currentDataTag()));
        }
        // Ctrl+C, or コピー, the canvas's only menu item, copies what it shows.
        graph->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(graph));
        QGuiApplication::clipboard()->clear();
        QTest::keyClick(graph, Qt::Key_C, Qt::ControlModifier);
        const QRect inside = graph->canvas()->contentsRect();
        QCOMPARE(QGuiApplication::clipboard()->image().convertToFormat(QImage::Format_RGB32),
                 graph->canvas()->grab(inside).toImage().convertToFormat(QImage::Format_RGB32));
        QVERIFY(graph->canvas()->contextMenuPolicy() == Qt::ActionsContextMenu &&
                graph->canvas()->actions().size() == 1);
        QCOMPARE(graph->canvas()->actions().constFirst()->text(), QStringLiteral(u"コピー"));
        graph->Command1_Click();
        QVERIFY(!graph->isVisible());
    }
};

QTEST_MAIN(TestGraph)
#include "tst_graph.moc"
