// Long random runs of the main window against the reference model in
// model.h, compared field by field after every event. A failing run is cut
// down to a short sequence and printed as test code before the test fails.
#include "graph/form2.h"
#include "help/form4.h"
#include "model.h"
#include "support/fakes.h"

#include <QElapsedTimer>
#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include <algorithm>
#include <cstring>
#include <optional>
#include <random>
#include <utility>
#include <vector>

namespace {

using Draws = std::array<float, 3>;

// Kinds 0..7 are clicks on Command1..Command8.
enum Kind : std::uint8_t {
    Tick1 = 8,
    Tick4 = 11,
    MainActivate,
    GraphActivate,
    HelpActivate,
    GraphClose,
    HelpClose,
    Kinds
};

struct Event {
    std::uint8_t kind;
    Draws draws;  // offered to the generator; taken only if a round is judged
};

struct Failure {
    std::size_t index;
    QString message;
};

// Hands out the driver's values, noting each seeding ('s' with the clock's
// latest reading, 'S' otherwise) and each value taken ('r').
class LoggedRandom final : public experiment::RandomSource {
public:
    void randomize(float seed) override { log += seed == clock ? 's' : 'S'; }
    float rnd() override {
        log += 'r';
        return next < 3 ? values[next++] : 0.0f;
    }
    Draws values{};
    std::size_t next = 3;
    std::string log;
    float clock = 0;
};

constexpr std::array<const char *, 18> kResultLabels{
    "aikolabel",   "a1katilabel", "b1katilabel",   "c1katilabel", "abc1katiLabel", "a1makelabel",
    "b1makelabel", "c1makelabel", "abc1makelabel", "aikow",       "a1katiw",       "b1katiw",
    "c1katiw",     "abc1katiw",   "a1makew",       "b1makew",     "c1makew",       "abc1makew"};
constexpr std::array<void (Form1::*)(), 4> kTicks{&Form1::Timer1_Timer, &Form1::Timer2_Timer,
                                                  &Form1::Timer3_Timer, &Form1::Timer4_Timer};

QString text(int v) {
    return QString::number(v);
}
QString text(double v) {
    return QString::number(v, 'g', 9);
}
QString text(const QString &v) {
    return QLatin1Char('"') + v + QLatin1Char('"');
}

// Keeps the first difference between the program and the model.
struct Diff {
    template <typename T>
    void operator()(const char *field, int index, const T &program, const T &expected) {
        if (message.isEmpty() && !(program == expected)) {
            message = QStringLiteral("%1%2: program %3, expected %4")
                          .arg(QLatin1String(field), index < 0 ? QString() : QString::number(index),
                               text(program), text(expected));
        }
    }
    QString message;
};

// The main window under test, shown so that clicks reach it, and the model,
// driven by the same events.
class Run {
public:
    Run() {
        auto owned = std::make_unique<LoggedRandom>();
        random = owned.get();
        form->setRandomSource(std::move(owned));
        form->setTimeOfDay([r = random] { return r->clock += 1.0f; });
        form->setQuestion([this](QWidget *, const QString &, const QString &) {
            asked << t.sound->settings.join(QLatin1Char(','));
            return 7;  // いいえ
        });
        form->setProgramEnd([this](int) { ended = true; });
        form->show();
        auto find = [this]<typename T>(T *&widget, const char *name, std::size_t i) {
            widget = t.child<T>((QByteArray(name) + QByteArray::number(int(i) + 1)).constData());
        };
        for (std::size_t i = 0; i < 8; ++i) {
            find(buttons[i], "Command", i);
        }
        for (std::size_t i = 0; i < 4; ++i) {
            find(timers[i], "Timer", i);
        }
        for (std::size_t p = 0; p < 3; ++p) {
            find(hanntei[p], "hanntei", p);
            for (std::size_t h = 0; h < 3; ++h) {
                find(pictures[p][h], std::array{"guu", "pii", "paa"}[h], p);
            }
        }
        for (std::size_t i = 0; i < 18; ++i) {
            results[i] = t.child<QLabel>(kResultLabels[i]);
        }
    }

    bool applicable(std::uint8_t kind) const {
        if (kind >= Tick1 && kind <= Tick4) {
            return m.running[kind - Tick1];
        }
        if (kind == GraphActivate || kind == GraphClose) {
            return m.graphOpen;
        }
        return (kind != HelpActivate && kind != HelpClose) || m.helpOpen;
    }

    // Applies an event to the window and the model; the first difference.
    QString step(const Event &e) {
        m.beginEvent();
        random->values = e.draws;
        random->next = 0;
        random->log.clear();
        t.sound->settings.clear();
        asked.clear();
        const int before = programTotal();
        const bool open = m.recordfull != 1;
        const bool resetting = e.kind == model::Reset && m.enabled[model::Reset];
        if (e.kind < 8) {
            QTest::mouseClick(buttons[e.kind], Qt::LeftButton);
            m.click(e.kind, e.draws);
        } else if (e.kind <= Tick4) {
            (form->*kTicks[e.kind - Tick1])();
            m.tick(e.kind - Tick1, e.draws);
        } else if (e.kind == MainActivate) {
            form->Form_Activate();  // only the first showing sets the window up
        } else if (e.kind == GraphActivate && form->graphWindow()) {
            form->graphWindow()->Form_Activate();
        } else if (e.kind == HelpActivate && form->helpWindow()) {
            form->helpWindow()->Form_Activate();
        } else if (e.kind == GraphClose && form->graphWindow()) {
            form->graphWindow()->Command1_Click();
            m.graphOpen = false;
        } else if (e.kind == HelpClose && form->helpWindow()) {
            form->helpWindow()->Command1_Click();
            m.helpOpen = false;
        }
        if (e.kind == GraphClose || e.kind == HelpClose) {  // closed windows are deleted later
            QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        }
        limits += open && m.recordfull == 1;
        resets += resetting;
        rounds += !m.draws.empty();
        return compare(resetting ? 0 : before, before);
    }

    // The first difference from the model, or else a broken invariant of the
    // window; empty if none. A judged round must add one to the total before.
    QString compare(int expectedTotal = 0, int before = 0) {
        Diff d;
        for (std::size_t i = 0; i < 8; ++i) {
            d("Command", int(i) + 1, int(buttons[i]->isEnabled()), int(m.enabled[i]));
        }
        for (std::size_t i = 0; i < 4; ++i) {
            d("Timer", int(i) + 1, int(timers[i]->isActive()), int(m.running[i]));
        }
        const Form1 &f = *form;
        d("automode", -1, int(f.automode), m.automode);
        d("recordfull", -1, int(Module1::recordfull), m.recordfull);
        d("aikocount", -1, int(Module1::aikocount), m.aiko);
        const std::array<int, 6> alone{f.a1katicount, f.b1katicount, f.c1katicount,
                                       f.a1makecount, f.b1makecount, f.c1makecount};
        const std::array<int, 6> hands{f.ashow, f.bshow, f.cshow, f.ahand, f.bhand, f.chand};
        const std::array<QString, 3> names{f.ahandname, f.bhandname, f.chandname};
        for (std::size_t p = 0; p < 3; ++p) {
            d("katicount", int(p) + 1, alone[p], m.kati[p]);
            d("makecount", int(p) + 1, alone[p + 3], m.make[p]);
        }
        d("abc1katicount", -1, int(Module1::abc1katicount), m.abcKati);
        d("abc1makecount", -1, int(Module1::abc1makecount), m.abcMake);
        for (std::size_t p = 0; p < 3; ++p) {
            d("show", int(p) + 1, hands[p], m.show[p]);
            d("hand", int(p) + 1, hands[p + 3], m.hand[p]);
            d("handname", int(p) + 1, names[p], model::handName(m.hand[p]));
            d("picture", int(p) + 1, visibleHand(p), m.picture[p]);
            d("hanntei", int(p) + 1, hanntei[p]->text(), m.verdictText[p]);
            if (m.judgedAny) {
                d("hannteiColour", int(p) + 1,
                  int(hanntei[p]->palette().color(QPalette::WindowText).rgb()),
                  int(m.verdictColour[p].rgb()));
            }
        }
        for (std::size_t i = 0; i < 18; ++i) {
            d(kResultLabels[i], -1, results[i]->text(), m.results[i]);
        }
        const std::array<const Module1::RatioHistory *, 3> records{
            &Module1::aikorecord, &Module1::abc1katirecord, &Module1::abc1makerecord};
        for (std::size_t c = 0; c < 3; ++c) {
            if (std::memcmp(records[c]->data(), m.history[c].data(), sizeof(m.history[c])) != 0) {
                std::size_t k = 0;
                while ((*records[c])[k] == m.history[c][k]) {
                    ++k;
                }
                d(std::array{"aikorecord", "abc1katirecord", "abc1makerecord"}[c], int(k),
                  double((*records[c])[k]), double(m.history[c][k]));
            }
        }
        d("graphWindow", -1, int(f.graphWindow() && f.graphWindow()->isVisible()),
          int(m.graphOpen));
        d("helpWindow", -1, int(f.helpWindow() && f.helpWindow()->isVisible()), int(m.helpOpen));
        d("answer", -1, f.answer, m.answer);
        d("draws", -1, QString::fromStdString(random->log), QString::fromStdString(m.draws));
        d("sounds", -1, t.sound->settings.join(QLatin1Char(',')), m.sounds.join(QLatin1Char(',')));
        d("questions", -1, int(asked.size()), m.questions);
        for (const QString &chimed : asked) {
            d("chime before question", -1, chimed,
              QStringLiteral("Stop,Close,FileName=endpinpon.wav,Open,Sound"));
        }
        d("programEnded", -1, int(ended), 0);

        // The window's own invariants, whatever the model says.
        const bool judged = random->log.size() == 6;
        d("invariant abc1kati=sum", -1, int(Module1::abc1katicount),
          alone[0] + alone[1] + alone[2]);
        d("invariant abc1make=sum", -1, int(Module1::abc1makecount),
          alone[3] + alone[4] + alone[5]);
        d("invariant total", -1, programTotal(), judged ? before + 1 : expectedTotal);
        const int most = std::max(
            {int(Module1::aikocount), int(Module1::abc1katicount), int(Module1::abc1makecount)});
        d("invariant recordfull=limit", -1, int(Module1::recordfull), int(most >= 999));
        d("invariant counters<=999", -1, int(most <= 999), 1);
        const bool automatic = f.automode == 1;
        d("invariant automode", -1,
          int((automatic || f.automode == 0) && !(automatic && most >= 999)), 1);
        programJudged = programJudged || judged;
        for (std::size_t p = 0; p < 3; ++p) {
            d("invariant show in 1..3", int(p) + 1, int(hands[p] >= 1 && hands[p] <= 3), 1);
            if (programJudged) {
                d("invariant handname", int(p) + 1, names[p], model::handName(hands[p + 3]));
            }
        }
        return d.message;
    }

    // The event just stepped as test code for a testing::ScriptedForm t.
    QString code(const Event &e) const {
        static const std::array<QString, 5> kWindows{
            QStringLiteral("t.form->Form_Activate();"),
            QStringLiteral("t.form->graphWindow()->Form_Activate();"),
            QStringLiteral("t.form->helpWindow()->Form_Activate();"),
            QStringLiteral("t.form->graphWindow()->Command1_Click();\n"
                           "QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);"),
            QStringLiteral("t.form->helpWindow()->Command1_Click();\n"
                           "QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);")};
        QString c;
        const auto hand = [&e](std::size_t i) { return std::int16_t(model::handOf(e.draws[i])); };
        const auto plain = [&](std::size_t i) {
            return testing::ScriptedRandom::valueFor(hand(i)) == e.draws[i];
        };
        if (!m.draws.empty() && plain(0) && plain(1) && plain(2)) {
            c = QStringLiteral("t.random->pushHands(%1, %2, %3);\n")
                    .arg(hand(0))
                    .arg(hand(1))
                    .arg(hand(2));
        } else if (!m.draws.empty()) {
            for (float r : e.draws) {
                c += QStringLiteral("t.random->push(%1f);\n").arg(double(r), 0, 'e', 8);
            }
        }
        if (e.kind < 8) {
            return c + QStringLiteral(
                           "QTest::mouseClick(t.child<QPushButton>(\"Command%1\"), "
                           "Qt::LeftButton);")
                           .arg(e.kind + 1);
        }
        return e.kind <= Tick4
                   ? c + QStringLiteral("t.form->Timer%1_Timer();").arg(e.kind - Tick1 + 1)
                   : kWindows[e.kind - MainActivate];
    }

    int programTotal() const {
        return Module1::aikocount + Module1::abc1katicount + Module1::abc1makecount;
    }
    int visibleHand(std::size_t p) const {  // 1..3, or 0 unless exactly one is visible
        int shown = 0;
        for (std::size_t h = 0; h < 3; ++h) {
            if (testing::pictureShown(pictures[p][h])) {
                shown = shown ? -1 : int(h) + 1;
            }
        }
        return std::max(shown, 0);
    }

    testing::ScriptedForm t;
    Form1 *form = t.form.get();
    model::Experiment m;
    int limits = 0;
    int resets = 0;
    long rounds = 0;

private:
    LoggedRandom *random = nullptr;
    QStringList asked;
    bool ended = false;
    bool programJudged = false;
    std::array<QPushButton *, 8> buttons{};
    std::array<QTimer *, 4> timers{};
    std::array<std::array<QWidget *, 3>, 3> pictures{};
    std::array<QLabel *, 3> hanntei{};
    std::array<QLabel *, 18> results{};
};

// Replays the events on a fresh window, skipping those that no longer apply;
// the first failure, and if asked the test code of the events played.
std::optional<Failure> replay(const std::vector<Event> &events, QStringList *code = nullptr) {
    Run run;
    if (QString first = run.compare(); !first.isEmpty()) {
        return Failure{0, first};
    }
    for (std::size_t i = 0; i < events.size(); ++i) {
        if (!run.applicable(events[i].kind)) {
            continue;
        }
        const QString message = run.step(events[i]);
        if (code) {
            *code << run.code(events[i]);
        }
        if (!message.isEmpty()) {
            return Failure{i, message};
        }
    }
    return std::nullopt;
}

QString field(const QString &message) {
    return message.section(QLatin1Char(':'), 0, 0);
}

// Cuts a failing sequence down while it fails on the same field: every
// round given the same hands, then whole kinds of event and ever smaller runs
// of events left out or made copies of the failing event (which often gets
// there sooner), then each value made the middle of its hand's third.
std::vector<Event> shrink(std::vector<Event> events, Failure &failure) {
    QElapsedTimer clock;
    clock.start();
    const QString what = field(failure.message);
    auto attempt = [&](std::vector<Event> candidate) {
        const std::optional<Failure> f =
            clock.elapsed() < 120000 ? replay(candidate) : std::nullopt;
        if (!f || field(f->message) != what) {
            return false;
        }
        candidate.resize(f->index + 1);
        events = std::move(candidate);
        failure = *f;
        return true;
    };
    events.resize(failure.index + 1);
    const auto v = testing::ScriptedRandom::valueFor;
    for (const Draws &alike : {events.back().draws, Draws{v(1), v(1), v(1)},
                               Draws{v(1), v(2), v(2)}, Draws{v(2), v(1), v(1)}}) {
        auto candidate = events;
        for (Event &e : candidate) {
            e.draws = alike;
        }
        if (attempt(candidate)) {
            break;
        }
    }
    for (std::uint8_t kind = 0; kind < Kinds; ++kind) {
        auto candidate = events;
        if (std::erase_if(candidate, [kind](const Event &e) { return e.kind == kind; }) > 0) {
            attempt(candidate);
        }
    }
    for (std::size_t chunk = events.size() / 2; chunk >= 1; chunk /= 2) {
        for (std::size_t at = 0; at < events.size();) {
            const std::size_t end = std::min(at + chunk, events.size());
            auto removed = events;
            removed.erase(removed.begin() + std::ptrdiff_t(at),
                          removed.begin() + std::ptrdiff_t(end));
            auto copies = events;  // the run made copies of the failing event's kind
            bool changed = false;
            for (std::size_t i = at; i < end; ++i) {
                changed = std::exchange(copies[i].kind, events.back().kind) != events.back().kind ||
                          changed;
            }
            at += attempt(removed) || (changed && attempt(copies)) ? 0 : chunk;
        }
    }
    auto plain = events;
    for (Event &e : plain) {
        for (float &r : e.draws) {
            r = v(std::int16_t(model::handOf(r)));
        }
    }
    attempt(plain);
    return events;
}

// The sequence as test code; repeated runs of up to four steps become loops.
QString asTestCode(const std::vector<Event> &events, const QString &message) {
    QStringList steps;
    replay(events, &steps);
    QString out = QStringLiteral(
        "testing::ScriptedForm t;\n"
        "t.form->setQuestion([](QWidget *, const QString &, const QString &) { return 7; });\n"
        "t.form->show();\n");
    for (qsizetype i = 0; i < steps.size();) {
        qsizetype period = 1;
        qsizetype times = 1;
        for (qsizetype p = 1; p <= 4; ++p) {
            qsizetype n = 1;
            while (
                i + (n + 1) * p <= steps.size() &&
                std::equal(steps.begin() + i, steps.begin() + i + p, steps.begin() + i + n * p)) {
                ++n;
            }
            if (n >= 3 && n * p > period * times) {
                period = p;
                times = n;
            }
        }
        QString body = steps.mid(i, period).join(QLatin1Char('\n'));
        out += times == 1 ? body + QLatin1Char('\n')
                          : QStringLiteral("for (int i = 0; i < %1; ++i) {\n    %2\n}\n")
                                .arg(times)
                                .arg(body.replace(QLatin1Char('\n'), QStringLiteral("\n    ")));
        i += period * times;
    }
    return out + QStringLiteral("// then ") + message;
}

// Chooses the events: mostly judged rounds, experiments often aimed at one
// outcome so that they run to the limit again and again, resets rare while
// an experiment is open and likely once it is closed.
class Generator {
public:
    explicit Generator(std::uint64_t seed) : m_rng(seed) { newExperiment(); }

    void newExperiment() { m_target = uniform() < 0.25 ? -1 : int(m_rng() % 3); }

    Event next(const Run &run) {
        const model::Experiment &m = run.m;
        std::array<double, Kinds> w{1, 1, 1, 1, 1, 1, 1, 1, 8, 8, 8, 0, 0.3, 0.5, 0.5, 0.3, 0.3};
        if (m.running[3]) {
            w[Tick4] = 150;
            w[model::AutoStop] = 1.5;
        } else if (m.running[0]) {
            w[model::Pon] = 40;
        } else if (m.recordfull == 1) {
            w[model::Reset] = 12;
        } else {
            w[model::Janken] = 30;
            w[model::AutoStart] = 10;
            w[model::Reset] = 0.3;
        }
        double sum = 0;
        for (std::uint8_t k = 0; k < Kinds; ++k) {
            sum += w[k] *= run.applicable(k) ? 1 : 0;
        }
        double pick = uniform() * sum;
        std::uint8_t kind = 0;
        while (kind + 1 < Kinds && (pick -= w[kind]) >= 0) {
            ++kind;
        }
        return {kind, draws()};
    }

private:
    double uniform() { return double(m_rng() >> 11) * 0x1.0p-53; }

    Draws draws() {
        std::array<int, 3> h{};
        const bool aim = m_target >= 0 && uniform() < 0.9;
        do {
            for (int &x : h) {
                x = 1 + int(m_rng() % 3);
            }
        } while (aim && int(model::judge(h).outcome) != m_target);
        return {value(h[0]), value(h[1]), value(h[2])};
    }

    // A value that draws the hand: anywhere in its third of [0, 1), or the
    // smallest or largest float in it.
    float value(int hand) {
        const double u = uniform();
        float r = u < 0.1   ? float(hand - 1) / 3.0f
                  : u < 0.2 ? std::min(float(hand) / 3.0f, std::nextafter(1.0f, 0.0f))
                            : float((hand - 1 + uniform()) / 3.0);
        while (model::handOf(r) > hand) {
            r = std::nextafter(r, 0.0f);
        }
        while (model::handOf(r) < hand) {  // a third's bound lies within one step
            r = std::nextafter(r, 1.0f);
        }
        return r;
    }

    std::mt19937_64 m_rng;
    int m_target = -1;  // the outcome aimed at, or -1 for fair hands
};

}  // namespace

class TestModel : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() {
        // The offscreen platform says so at every raise of the graph and help windows.
        static QtMessageHandler next = nullptr;
        next = qInstallMessageHandler(
            [](QtMsgType type, const QMessageLogContext &context, const QString &message) {
                if (!message.startsWith(QLatin1String("This plugin does not support raise"))) {
                    next(type, context, message);
                }
            });
    }

    void theModelKnowsTheClassroomCases() {
        QCOMPARE(model::ratioText(1, 16), QStringLiteral("0.063"));
        QCOMPARE(model::ratioText(2, 3), QStringLiteral("0.667"));
        QCOMPARE(model::ratioText(999, 2997), QStringLiteral("0.333"));
        QCOMPARE(model::ratioText(1, 2000), QStringLiteral("0.001"));
        QCOMPARE(model::ratioText(1, 2001), QStringLiteral("0.000"));
        QCOMPARE(model::ratioText(1, 1), QStringLiteral("1.000"));
        QCOMPARE(model::judge({1, 2, 3}).outcome, model::Outcome::Draw);
        QCOMPARE(model::judge({1, 2, 2}).outcome, model::Outcome::Wins);
        QCOMPARE(model::judge({2, 1, 2}).odd, 1);
        QCOMPARE(model::judge({2, 2, 3}).outcome, model::Outcome::Loses);
        QCOMPARE(model::handOf(std::nextafter(1.0f / 3.0f, 0.0f)), 1);
        QCOMPARE(model::handOf(std::nextafter(1.0f, 0.0f)), 3);
    }

    void theWindowFollowsTheModelThroughLongRandomRuns() {
        bool given = false;
        const int asked = qEnvironmentVariableIntValue("JANKEN_FUZZ_EVENTS", &given);
        const long budget = given ? asked : 200000;
        constexpr std::array<std::uint64_t, 8> kSeeds{1, 2, 3, 5, 8, 13, 21, 34};
        int limits = 0;
        int resets = 0;
        long rounds = 0;
        QElapsedTimer clock;
        clock.start();
        for (std::uint64_t seed : kSeeds) {
            std::vector<Event> events;
            Generator generator(seed);
            std::optional<Failure> failure;
            {
                Run run;
                if (QString m = run.compare(); !m.isEmpty()) {
                    failure = Failure{0, m};
                }
                for (long i = 0; !failure && i < budget / long(kSeeds.size()); ++i) {
                    const int experiments = run.limits + run.resets;
                    events.push_back(generator.next(run));
                    if (QString m = run.step(events.back()); !m.isEmpty()) {
                        failure = Failure{events.size() - 1, m};
                    }
                    if (run.limits + run.resets != experiments) {
                        generator.newExperiment();
                    }
                }
                limits += run.limits;
                resets += run.resets;
                rounds += run.rounds;
            }
            if (failure) {
                qWarning("seed %llu: \"%s\" after %zu events; shrinking", qulonglong(seed),
                         qPrintable(failure->message), failure->index + 1);
                const std::vector<Event> shortest = shrink(events, *failure);
                qWarning("%s", qPrintable(asTestCode(shortest, failure->message)));
                QFAIL(qPrintable(failure->message));
            }
        }
        qInfo("%ld events over %zu seeds: %ld rounds, %d limits, %d resets, %lld ms", budget,
              kSeeds.size(), rounds, limits, resets, qint64(clock.elapsed()));
        // Enough experiments run to the end and start afresh to matter.
        QVERIFY2(limits >= budget / 10000, qPrintable(QString::number(limits)));
        QVERIFY2(resets >= budget / 10000, qPrintable(QString::number(resets)));
    }
};

QTEST_MAIN(TestModel)
#include "tst_model.moc"
