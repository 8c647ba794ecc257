// What each click, tick and window event does to the windows, state and chimes, from the rules.
#pragma once

#include <QStringList>

#include <algorithm>
#include <array>
#include <cmath>

namespace model {

enum Button { Janken, Pon, AutoStart, Reset, Help, Exit, AutoStop, Graph };  // Command1..8

inline int handOf(float r) {
    return int(std::floor(3.0 * double(r) + 1.0));  // exact in double
}

// Each player's verdict, 'D' draw, 'W' win or 'L' loss, and who is alone (-1: a draw). Rock
// beats scissors, scissors paper, paper rock.
struct Verdict {
    QString of;
    int alone;
};
inline Verdict judge(const QList<int> &h) {
    const bool allAlike = h[0] == h[1] && h[1] == h[2];
    const bool allDifferent = h[0] != h[1] && h[1] != h[2] && h[0] != h[2];
    if (allAlike || allDifferent) {
        return {QStringLiteral("DDD"), -1};
    }
    int alone = 2;
    if (h[1] == h[2]) {
        alone = 0;
    } else if (h[0] == h[2]) {
        alone = 1;
    }
    const bool wins = h[(alone + 1) % 3] == h[alone] % 3 + 1;
    QString of = wins ? QStringLiteral("LLL") : QStringLiteral("WWW");
    of[alone] = wins ? u'W' : u'L';
    return {of, alone};
}

// The classroom's rounding: the float quotient cut to 7 significant digits, then to thousandths
// on those decimal digits, halves up (1/16: 0.063).
inline QString ratioText(int count, int total) {
    const QString e = QString::number(double(float(count) / float(total)), 'e', 6);  // d.dddddde-x
    const long long cut = std::llround(std::pow(10.0, 3 - e.mid(9).toInt()));
    const long long th = (QString(e[0] + e.mid(2, 6)).toLongLong() + cut / 2) / cut;
    return QStringLiteral("%1.%2").arg(th / 1000).arg(th % 1000, 3, 10, QLatin1Char('0'));
}

struct Experiment {
    QString buttons = QStringLiteral("10111101"), timers = QStringLiteral("0000");
    int automode = 0, recordfull = 0;
    QList<int> counts = QList<int>(9);  // draws, A B C alone win, their sum, A B C alone lose, sum
    QList<int> show{1, 2, 3}, hand{0, 0, 0}, picture{1, 2, 3};
    // The judgement and result cells as text/what their names add: "勝ち/勝ち", "0.333/0.333".
    QStringList labels = QStringList(21, QStringLiteral("/"));
    std::array<std::array<float, 1001>, 3> history{};
    std::array<QStringList, 3> shown{QStringList(1001), QStringList(1001), QStringList(1001)};
    QList<int> windows{1, 0, 0};  // main, graph, help
    int focus = Janken;           // the button with the keyboard focus: the first in the tab order
    double answer = 0;
    bool ended = false;
    QString draws;       // "sr" per hand: a seeding from the clock, then a value
    QStringList sounds;  // the settings the sound device gets
    QString asked;       // the exit question's title and text

    int total() const { return counts[0] + counts[4] + counts[8]; }

    // A click; 終了 answered yes (6) or no (7).
    void click(int b, const QList<int> &r, int yes) {
        if (buttons[b] == u'0') {
            return;  // a disabled button does nothing
        }
        focus = b;  // a click puts the focus on the button
        if (b == Janken) {
            janken();
        } else if (b == Pon) {
            pon(r);
        } else if (b == AutoStart || b == AutoStop) {
            automode = b == AutoStart;
            set(b == AutoStart ? "00000010" : "10111101", b == AutoStart ? "===1" : "0000");
        } else if (b == Reset) {
            chime("pinpon.wav");
            show = picture = {1, 2, 3};
            automode = recordfull = 0;
            counts.fill(0);
            labels = QStringList(21, QStringLiteral("/"));
            set("101===0=", "");
        } else if (b == Help) {
            chime("pinpon.wav");
            windows[2] = 1;
        } else if (b == Exit) {
            chime("endpinpon.wav");
            asked = QStringLiteral(u"じゃんけん:終了していいですか？:6");  // after the six settings
            answer = yes;
            if (yes == 6) {
                end();
            }
        } else if (b == Graph) {
            windows[1] = 1;
        }
        keepFocus(b);
    }

    void tick(int timer, const QList<int> &r) {
        if (timer < 3) {  // the player's next picture
            picture[timer] = show[timer];
            show[timer] = show[timer] % 3 + 1;
            return;
        }
        const int had = focus;
        pon(r);
        if (recordfull != 1) {  // a closed experiment opens no further round
            janken();
        }
        keepFocus(had);
    }

    // The program ends: every window hidden, nothing left running.
    void end() {
        ended = true;
        windows = {0, 0, 0};
        set("", "0000");
    }

    // The result table as copied: a tab-separated line a row, empty cells empty.
    QString table() const {
        const QStringList headings = QStringLiteral(
                                         u"あいこ Ａ一人勝ち Ｂ一人勝ち Ｃ一人勝ち 一人勝ち "
                                         u"Ａ一人負け Ｂ一人負け Ｃ一人負け 一人負け")
                                         .split(u' ');
        QString text = QStringLiteral(u"\t回数\t割合\n");
        for (int i = 0; i < 9; ++i) {
            text += headings[i] + u'\t' + labels[3 + i].section(u'/', 0, 0) + u'\t' +
                    labels[12 + i].section(u'/', 0, 0) + u'\n';
        }
        return text;
    }

    // The graph's numbers as copied: a row per index to the largest counter, empty past each.
    QString graphTable() const {
        QString text = QStringLiteral(u"回数\tあいこ\t一人勝ち\t一人負け\n");
        for (int k = 1; k <= std::max({counts[0], counts[4], counts[8]}); ++k) {
            text += QString::number(k);
            for (int c = 0; c < 3; ++c) {
                text += u'\t';
                if (k <= counts[c * 4]) {
                    text += shown[c][k];
                }
            }
            text += u'\n';
        }
        return text;
    }

    QStringList pictures() const {  // per player the controls guu, pii, paa shown, or "-"
        const QStringList names{"guu", "pii", "paa"};
        QStringList on;
        for (int p = 0; p < 9; ++p) {
            on << (picture[p / 3] == p % 3 + 1 ? names[p % 3] : QStringLiteral("-"));
        }
        return on;
    }

private:
    // Whether a button or timer is on after a handler, by its code: 1 on, 0 off; o while the
    // experiment is open, a in automatic play, m outside it.
    bool on(char code) const {
        switch (code) {
            case 'o':
                return recordfull != 1;
            case 'a':
                return automode == 1;
            case 'm':
                return automode != 1;
            default:
                return code == '1';
        }
    }
    // Buttons Command1..8 and timers Timer1..4; '=' leaves one as it was.
    void set(const char *b, const char *t) {
        for (const auto &[now, to] : {std::pair{&buttons, b}, std::pair{&timers, t}}) {
            for (int i = 0; to[i]; ++i) {
                if (to[i] != '=') {
                    (*now)[i] = on(to[i]) ? u'1' : u'0';
                }
            }
        }
    }
    void janken() {
        const int had = focus;
        set("0m0000a0", "111=");
        keepFocus(had);
    }

    // A handler that disabled the focus's button passes it to the first enabled one needed next.
    void keepFocus(int had) {
        if (!windows[0] || (buttons[had] == u'1' && buttons[focus] == u'1')) {
            return;
        }
        // After Command1..8, then after any.
        const std::array<QList<int>, 8> first{
            {{Pon, AutoStop}, {Janken}, {AutoStop}, {}, {}, {}, {AutoStart}, {}}};
        const QList<int> then{Reset, Janken, Pon, AutoStart, AutoStop, Graph, Help, Exit};
        for (int b : first[had] + then) {
            if (buttons[b] == u'1') {
                focus = b;
                return;
            }
        }
    }

    void pon(const QList<int> &hands) {
        const int had = focus;
        set("o0o111a1", "000=");
        hand = picture = hands;
        draws += QStringLiteral("srsrsr");
        const Verdict v = judge(hand);
        if (v.alone < 0) {
            ++counts[0];
        } else if (v.of[v.alone] == u'W') {
            ++counts[1 + v.alone];
        } else {
            ++counts[5 + v.alone];
        }
        counts[4] = counts[1] + counts[2] + counts[3];
        counts[8] = counts[5] + counts[6] + counts[7];
        const QStringList captions{QStringLiteral(u"あいこ"), QStringLiteral(u"勝ち"),
                                   QStringLiteral(u"負け")};
        for (int p = 0; p < 3; ++p) {
            const int k = int(QStringLiteral("DWL").indexOf(v.of[p]));
            labels[p] = captions[k] + u'/' + captions[k];
        }
        for (int i = 0; i < 9; ++i) {
            labels[i + 3] = QString::number(counts[i]) + u'/' + QString::number(counts[i]);
            labels[i + 12] = ratioText(counts[i], total()) + u'/' + ratioText(counts[i], total());
        }
        for (int c = 0; c < 3 && recordfull != 1; ++c) {
            history[std::size_t(c)][std::size_t(counts[c * 4])] =
                float(counts[c * 4]) / float(total());
            shown[c][counts[c * 4]] = ratioText(counts[c * 4], total());
        }
        if (counts[0] >= 999 || counts[4] >= 999 || counts[8] >= 999) {
            recordfull = 1;
            automode = 0;
            set("00011101", "0000");
        }
        keepFocus(had);
    }

    // The five settings, then what the chime finds: it comes before anything else.
    void chime(const char *file) {
        sounds << "Stop"
               << "Close" << QStringLiteral("FileName=") + file << "Open"
               << "Sound" << QStringLiteral("help %1, %2 rounds").arg(windows[2]).arg(total());
    }
};

}  // namespace model
