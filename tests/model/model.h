// A reference model of the main window's experiment: what every button, tick
// and window event should do to the buttons, timers, variables and labels.
// Written from the rules of the game, not from the window's code, so that the
// random tests in tst_model.cpp have something independent to compare with.
#pragma once

#include <QColor>
#include <QString>
#include <QStringList>

#include <array>
#include <cmath>
#include <string>

namespace model {

// Command1..Command8, as indexes 0..7.
enum Button { Janken, Pon, AutoStart, Reset, Help, Exit, AutoStop, Graph };

inline int handOf(float r) {
    // 3r + 1 is exact in double: a value just under a third stays a rock.
    return static_cast<int>(std::floor(3.0 * static_cast<double>(r) + 1.0));
}

inline QString handName(int hand) {
    static const std::array<QString, 4> names{QString(), QStringLiteral("guu"),
                                              QStringLiteral("pii"), QStringLiteral("paa")};
    return hand >= 1 && hand <= 3 ? names[static_cast<std::size_t>(hand)] : QString();
}

// Rock beats scissors, scissors beat paper, paper beats rock.
inline bool beats(int a, int b) {
    return b == a % 3 + 1;
}

enum class Outcome { Draw, Wins, Loses };
struct Verdict {
    Outcome outcome;
    int odd;  // the player alone, -1 for a draw
};

inline Verdict judge(const std::array<int, 3> &h) {
    const bool same = h[0] == h[1] && h[1] == h[2];
    const bool allDifferent = h[0] != h[1] && h[1] != h[2] && h[0] != h[2];
    if (same || allDifferent) {
        return {Outcome::Draw, -1};
    }
    const int odd = h[1] == h[2] ? 0 : h[0] == h[2] ? 1 : 2;
    const int shared = h[static_cast<std::size_t>((odd + 1) % 3)];
    return {beats(h[static_cast<std::size_t>(odd)], shared) ? Outcome::Wins : Outcome::Loses, odd};
}

// The "0.000" text of count / total: thousandths, halves rounded up. The
// window shows the single-precision quotient cut to 7 significant digits;
// together these move the value by less than 1.2e-7, while a count / total
// with total <= 3000 that is not itself a half lies at least
// 1 / (2000 total) >= 1.6e-7 away from one, so the text comes out the same.
inline QString ratioText(int count, int total) {
    const long long th = (2000LL * count + total) / (2LL * total);
    return QStringLiteral("%1.%2").arg(th / 1000).arg(th % 1000, 3, 10, QLatin1Char('0'));
}

struct Experiment {
    std::array<bool, 8> enabled{true, false, true, true, true, true, false, true};
    std::array<bool, 4> running{};  // Timer1..Timer4
    int automode = 0, recordfull = 0;
    int aiko = 0, abcKati = 0, abcMake = 0;
    std::array<int, 3> kati{}, make{};
    std::array<int, 3> show{1, 2, 3}, hand{};
    std::array<int, 3> picture{1, 2, 3};  // the one visible per player
    std::array<QString, 3> verdictText;
    std::array<QColor, 3> verdictColour;
    bool judgedAny = false;
    std::array<QString, 18> results;                   // nine counts, then nine ratios
    std::array<std::array<float, 1001>, 3> history{};  // draws, wins alone, losses alone
    bool graphOpen = false, helpOpen = false;
    double answer = 0;

    // What the current event should do besides the state above.
    std::string draws;   // "sr" per hand: a seeding, then a value
    QStringList sounds;  // the settings the chime gives the sound device
    int questions = 0;

    int total() const { return aiko + abcKati + abcMake; }
    void beginEvent() {
        draws.clear();
        sounds.clear();
        questions = 0;
    }

    // A click on a disabled button does nothing.
    void click(int button, const std::array<float, 3> &r) {
        if (!enabled[static_cast<std::size_t>(button)]) {
            return;
        }
        switch (button) {
            case Janken:
                return janken();
            case Pon:
                return pon(r);
            case AutoStart:
                running[3] = true;
                automode = 1;
                enabled = {false, false, false, false, false, false, true, false};
                return;
            case Reset:
                return reset();
            case Help:
                chime("pinpon.wav");
                helpOpen = true;
                return;
            case Exit:  // answered いいえ
                chime("endpinpon.wav");
                ++questions;
                answer = 7;
                return;
            case AutoStop:
                running = {};
                enabled = {true, false, true, true, true, true, false, true};
                automode = 0;
                return;
            case Graph:
                graphOpen = true;
                return;
        }
    }

    void tick(int timer, const std::array<float, 3> &r) {
        if (timer < 3) {  // the shuffle shows a player's next hand
            auto &s = show[static_cast<std::size_t>(timer)];
            picture[static_cast<std::size_t>(timer)] = s;
            s = s % 3 + 1;
            return;
        }
        pon(r);
        if (recordfull != 1) {  // a closed experiment opens no further round
            janken();
        }
    }

private:
    void janken() {
        enabled[Janken] = false;
        if (automode != 1) {
            enabled[Pon] = true;
        }
        enabled[AutoStart] = false;
        enabled[AutoStop] = automode == 1;
        running[0] = running[1] = running[2] = true;
        enabled[Reset] = enabled[Help] = enabled[Exit] = enabled[Graph] = false;
    }

    void pon(const std::array<float, 3> &r) {
        enabled[Pon] = false;
        enabled[Janken] = enabled[AutoStart] = recordfull != 1;
        enabled[AutoStop] = automode == 1;
        enabled[Reset] = enabled[Help] = enabled[Exit] = enabled[Graph] = true;
        for (std::size_t p = 0; p < 3; ++p) {
            running[p] = false;
            hand[p] = picture[p] = handOf(r[p]);
            draws += "sr";
        }
        const Verdict v = judge(hand);
        for (int p = 0; p < 3; ++p) {
            const bool alone = p == v.odd;
            const bool won = v.outcome == Outcome::Wins ? alone : !alone;
            const auto i = static_cast<std::size_t>(p);
            verdictText[i] = v.outcome == Outcome::Draw ? QStringLiteral(u"あいこ")
                             : won                      ? QStringLiteral(u"勝ち")
                                                        : QStringLiteral(u"負け");
            verdictColour[i] = v.outcome == Outcome::Draw ? QColor(0, 128, 0)
                               : won                      ? QColor(0, 0, 255)
                                                          : QColor(255, 0, 0);
        }
        judgedAny = true;
        if (v.outcome == Outcome::Draw) {
            ++aiko;
        } else {
            ++(v.outcome == Outcome::Wins ? kati : make)[static_cast<std::size_t>(v.odd)];
        }
        abcKati = kati[0] + kati[1] + kati[2];
        abcMake = make[0] + make[1] + make[2];
        const std::array<int, 9> counts{aiko,    kati[0], kati[1], kati[2], abcKati,
                                        make[0], make[1], make[2], abcMake};
        for (std::size_t i = 0; i < 9; ++i) {
            results[i] = QString::number(counts[i]);
            results[i + 9] = ratioText(counts[i], total());
        }
        // Each history is indexed by its own outcome's count; a closed
        // experiment's histories stay as they are.
        const std::array<int, 3> outcomes{aiko, abcKati, abcMake};
        for (std::size_t c = 0; c < 3 && recordfull != 1; ++c) {
            if (outcomes[c] <= 1000) {
                history[c][static_cast<std::size_t>(outcomes[c])] =
                    static_cast<float>(outcomes[c]) / static_cast<float>(total());
            }
        }
        if (aiko >= 999 || abcKati >= 999 || abcMake >= 999) {
            recordfull = 1;
            running = {};
            enabled = {false, false, false, true, true, true, false, true};
            automode = 0;
        }
    }

    void reset() {
        chime("pinpon.wav");
        show = {1, 2, 3};
        automode = recordfull = aiko = abcKati = abcMake = 0;
        kati = make = {};
        verdictText = {};
        enabled[Janken] = enabled[AutoStart] = true;
        enabled[Pon] = enabled[AutoStop] = false;
        picture = {1, 2, 3};
        results = {};
    }

    void chime(const char *file) {
        sounds << QStringLiteral("Stop") << QStringLiteral("Close")
               << QStringLiteral("FileName=") + QLatin1String(file) << QStringLiteral("Open")
               << QStringLiteral("Sound");
    }
};

}  // namespace model
