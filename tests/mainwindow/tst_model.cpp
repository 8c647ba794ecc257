// Long random runs of the main window, compared with the model (model.h) after every event.
#include "graph/form2.h"
#include "help/form4.h"
#include "model.h"
#include "support/testing.h"

#include <QAction>
#include <QClipboard>
#include <QFrame>
#include <QLabel>
#include <QMimeData>
#include <QTimer>

#include <random>

namespace {

// 0..7 click Command1..8, 8..11 tick Timer1..4, then the windows' events.
constexpr int Tick1 = 8, Tick4 = 11, Activate1 = 12, Close2 = 13, Close4 = 14, CloseFrame = 15,
              Copy = 16, CopyGraph = 17, Kinds = 18;
// The controls compared: buttons, timers, pictures, judgements, result cells.
const QStringList kControls =
    QStringLiteral(
        "Command1 Command2 Command3 Command4 Command5 Command6 Command7 Command8 Timer1 Timer2 "
        "Timer3 Timer4 guu1 pii1 paa1 guu2 pii2 paa2 guu3 pii3 paa3 hanntei1 hanntei2 hanntei3 "
        "aikolabel a1katilabel b1katilabel c1katilabel abc1katiLabel a1makelabel b1makelabel "
        "c1makelabel abc1makelabel aikow a1katiw b1katiw c1katiw abc1katiw a1makew b1makew "
        "c1makew abc1makew")
        .split(u' ');

struct Event {
    int kind;
    QList<int> hands;  // drawn as these values, if a round is judged
    std::array<float, 3> draws;
    int answer;  // to 終了: 6 yes, 7 no
};

int shown(const char *name) {
    const auto all = QApplication::topLevelWidgets();
    return int(std::count_if(all.begin(), all.end(), [name](QWidget *w) {
        return w->objectName() == QLatin1String(name) && w->isVisible();
    }));
}

struct Run {
    Run() {
        form->setQuestion([this](std::u16string_view text, std::u16string_view title) {
            const QString after = QString::number(t.sound->settings.size());
            asked = testing::toQString(title) + u':' + testing::toQString(text) + u':' + after;
            return answer;
        });
        form->setProgramEnd([this](int status) { ended = status == 0; });
        t.sound->moment = [] {
            const int rounds = Module1::aikocount + Module1::abc1katicount + Module1::abc1makecount;
            return QStringLiteral("help %1, %2 rounds").arg(shown("Form4")).arg(rounds);
        };
        t.window->show();
        for (const QString &name : kControls) {
            controls << t.child<QObject>(name);
        }
        for (int i = 21; i < controls.size(); ++i) {
            cellNames << static_cast<QWidget *>(controls[i])->accessibleName();
        }
    }

    bool applicable(int kind) const {
        if (m.ended) {
            return false;
        }
        if (kind >= Tick1 && kind <= Tick4) {
            return m.timers[kind - Tick1] == u'1';
        }
        if (kind == Close2 || kind == CopyGraph) {
            return m.windows[1];
        }
        if (kind == Close4) {
            return m.windows[2];
        }
        return true;
    }

    // The event on the window and on the model; the first difference.
    QString step(const Event &e) {
        m.draws.clear();
        m.sounds.clear();
        copied = expected = asked = m.asked = {};
        t.random->values = QList<float>(e.draws.begin(), e.draws.end());
        t.random->log.clear();
        t.sound->settings.clear();
        const bool open = m.recordfull == 0;
        if (e.kind < Tick1) {
            answer = e.answer;
            QTest::mouseClick(static_cast<QWidget *>(controls[e.kind]), Qt::LeftButton);
            m.click(e.kind, e.hands, e.answer);
        } else if (e.kind <= Tick4) {  // the tick as the timer sends it
            QMetaObject::invokeMethod(controls[e.kind], "timeout");
            m.tick(e.kind - Tick1, e.hands);
        } else if (e.kind == Activate1) {  // only the first showing sets the window up
            QEvent activate(QEvent::WindowActivate);
            QCoreApplication::sendEvent(t.window, &activate);
        } else if (e.kind == Copy) {  // nothing else changes
            t.window->actions().constFirst()->trigger();
            const QMimeData *data = QGuiApplication::clipboard()->mimeData();
            copied = data->text() + (data->hasImage() ? "(an image)" : "");
            expected = m.table();
        } else if (e.kind == CopyGraph) {  // the numbers, and the picture on screen
            QWidget *graph = testing::widget(*form->graphWindow());
            graph->actions().constFirst()->trigger();
            const QMimeData *data = QGuiApplication::clipboard()->mimeData();
            auto *canvas = graph->findChild<QFrame *>(QStringLiteral("Picture1"));
            const QImage onScreen = canvas->grab(canvas->contentsRect()).toImage();
            const bool same = qvariant_cast<QImage>(data->imageData()) ==
                              onScreen.convertToFormat(QImage::Format_RGB32);
            copied = data->text() + (same ? "" : "(another image)");
            expected = m.graphTable();
        } else if (e.kind == CloseFrame) {
            t.window->close();
            m.end();
        } else {  // the graph's or the help's 閉じる
            QWidget *window = e.kind == Close2 ? testing::widget(*form->graphWindow())
                                               : testing::widget(*form->helpWindow());
            QTest::mouseClick(window->findChild<QWidget *>("Command1"), Qt::LeftButton);
            m.windows[e.kind == Close2 ? 1 : 2] = 0;
        }
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        limits += open && m.recordfull == 1;
        return compare();
    }

    QString compare() const {
        QString buttons, timers, diff;
        QStringList pictures, labels;
        for (int i = 0; i < 8; ++i) {
            buttons += static_cast<QWidget *>(controls[i])->isEnabled() ? u'1' : u'0';
            timers += i < 4 && static_cast<QTimer *>(controls[i + 8])->isActive() ? u'1' : u'0';
        }
        for (int i = 12; i < 21; ++i) {
            const bool hidden = static_cast<QWidget *>(controls[i])->isHidden();
            pictures << (hidden ? QStringLiteral("-") : controls[i]->objectName().left(3));
        }
        for (int i = 21; i < controls.size(); ++i) {
            const auto *label = static_cast<QLabel *>(controls[i]);
            // A screen reader's name for the cell: its own, then what it shows.
            const QString named = label->accessibleName().sliced(cellNames[i - 21].size());
            labels << label->text() + u'/' + named.trimmed();
        }
        const auto d = [&diff](const char *what, const auto &program, const auto &expected) {
            if (diff.isEmpty() && !(program == expected)) {
                QDebug(&diff).nospace() << what << ": " << program << ", expected " << expected;
            }
        };
        const Form1 &f = *form;
        d("buttons", buttons, m.buttons);
        d("timers", timers.left(4), m.timers);
        d("automode, recordfull, counts, hands shown and drawn",
          QList<int>{f.automode, Module1::recordfull, Module1::aikocount, f.a1katicount,
                     f.b1katicount, f.c1katicount, Module1::abc1katicount, f.a1makecount,
                     f.b1makecount, f.c1makecount, Module1::abc1makecount, f.ashow, f.bshow,
                     f.cshow, f.ahand, f.bhand, f.chand},
          QList{m.automode, m.recordfull} + m.counts + m.show + m.hand);
        d("pictures", pictures, m.pictures());
        d("labels", labels, m.labels);
        d("histories",
          Module1::aikorecord == m.history[0] && Module1::abc1katirecord == m.history[1] &&
              Module1::abc1makerecord == m.history[2],
          true);
        d("windows shown", QList<int>{f.isVisible(), shown("Form2"), shown("Form4")}, m.windows);
        d("focus", t.window->focusWidget()->objectName(), kControls[m.focus]);
        d("answer, ended", QList<double>{f.answer, double(ended)},
          QList{m.answer, double(m.ended)});
        d("draws", t.random->log, m.draws);
        d("sounds", t.sound->settings, m.sounds);
        d("asked", asked, m.asked);
        d("copied table", copied, expected);
        return diff;
    }

    testing::ScriptedForm t;
    Form1 *form = t.form.get();
    model::Experiment m;
    int limits = 0;
    QList<QObject *> controls;
    QStringList cellNames;  // the result cells' names before anything is shown
    QString copied, expected, asked;
    int answer = 7;
    bool ended = false;
};

// Mostly judged rounds (the limit again and again), values anywhere in a third or at its edges.
class Generator {
public:
    explicit Generator(std::uint64_t seed) : m_rng(seed) {}

    Event next(const Run &run) {
        const model::Experiment &m = run.m;
        const double u = uniform();
        // The likely next events in each state, with their chances; any event otherwise.
        QList<std::pair<int, double>> likely{{model::Janken, 0.4}, {model::AutoStart, 0.1}};
        if (m.timers[3] == u'1') {
            likely = {{Tick4, 0.98}, {model::AutoStop, 0.01}};
        } else if (m.timers[0] == u'1') {
            likely = {{model::Pon, 0.3}};
        } else if (m.recordfull == 1) {
            likely = {{model::Reset, 0.4}};
        }
        int kind = Kinds;
        double upTo = 0;
        for (const auto &[next, chance] : likely) {
            upTo += chance;
            if (kind == Kinds && u < upTo) {
                kind = next;
            }
        }
        // Any event, but seldom a reset of an open experiment or the end (less so in autoplay).
        while (kind == Kinds || !run.applicable(kind) ||
               (((kind == model::Reset && !m.recordfull) || kind == CloseFrame) &&
                uniform() < (m.automode ? 0.9 : 0.995))) {
            kind = int(m_rng() % Kinds);
        }
        const QList<int> h{1 + int(m_rng() % 3), 1 + int(m_rng() % 3), 1 + int(m_rng() % 3)};
        return {kind, h, {value(h[0]), value(h[1]), value(h[2])}, uniform() < 0.05 ? 6 : 7};
    }

private:
    double uniform() { return double(m_rng() >> 11) * 0x1.0p-53; }
    float value(int hand) {
        const double u = uniform();
        double within = uniform();  // where in the hand's third, or at one of its edges
        if (u < 0.1) {
            within = 0.0;
        } else if (u < 0.2) {
            within = 1.0;
        }
        float r = float((hand - 1 + within) / 3.0);
        while (model::handOf(r) != hand) {  // its smallest or largest float
            r = std::nextafter(r, model::handOf(r) > hand ? 0.0f : 1.0f);
        }
        return r;
    }

    std::mt19937_64 m_rng;
};

}  // namespace

class TestModel : public QObject {
    Q_OBJECT

private slots:
    // Each program run ends by はい or the frame (JANKEN_FUZZ_EVENTS=5000000: a long run).
    void theWindowFollowsTheModelThroughLongRandomRuns() {
        const long events = std::max(qEnvironmentVariableIntValue("JANKEN_FUZZ_EVENTS"), 200000);
        int limits = 0, ends = 0;
        for (std::uint64_t seed : {1, 2, 3, 5, 8, 13, 21, 34}) {
            Generator generator(seed);
            for (long done = 0; done < events / 8;) {
                QString last;  // the run's last events: "1(223)" is ポ　ン drawing S, S, P
                QString failure;
                Run run;
                while (failure.isEmpty() && !run.m.ended && done++ < events / 8) {
                    const Event e = generator.next(run);
                    last = last.right(300) + QStringLiteral(" %1(%2)").arg(e.kind).arg(
                                                 e.hands[0] * 100 + e.hands[1] * 10 + e.hands[2]);
                    failure = run.step(e);
                }
                limits += run.limits;
                ends += run.m.ended;
                if (!failure.isEmpty()) {
                    QFAIL(qPrintable(
                        QStringLiteral("seed %1: %2\nafter %3").arg(seed).arg(failure, last)));
                }
            }
        }
        qInfo("%ld events: %d limits reached, %d ends", events, limits, ends);
        QVERIFY2(limits >= events / 10000 && ends >= events / 20000,
                 "too few experiments ran to their end");
    }
};

QTEST_MAIN(TestModel)
#include "tst_model.moc"
