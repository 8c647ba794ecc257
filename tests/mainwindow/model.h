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

// Each player's verdict, 'D' draw, 'W' win or 'L' loss, and who is alone (-1: a draw). Rock beats
// scissors, scissors paper, paper rock.
struct Verdict {
    QString of;
    int alone;
};
inline Verdict judge(const QList<int> &h) {
    if ((h[0] == h[1]) == (h[1] == h[2]) && (h[0] == h[2]) == (h[0] == h[1])) {
        return {QStringLiteral("DDD"), -1};  // all alike, or all different
    }
    const int alone = h[1] == h[2] ? 0 : h[0] == h[2] ? 1 : 2;
    const bool wins = h[(alone + 1) % 3] == h[alone] % 3 + 1;
    QString of = wins ? QStringLiteral("LLL") : QStringLiteral("WWW");
    of[alone] = wins ? u'W' : u'L';
    return {of, alone};
}

// The classroom's rounding: the float quotient cut to 7 significant digits,
// then to thousandths on those decimal digits, halves up (1/16: 0.063).
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
    // Judgement and result cells' text / description; judgements' colours (a reset keeps them).
    QStringList labels = QStringList(21, QStringLiteral("/"));
    QStringList colours = QStringList(3, QStringLiteral("#000000"));
    std::array<std::array<float, 1001>, 3> history{};
    std::array<QStringList, 3> shown{QStringList(1001), QStringList(1001), QStringList(1001)};
    QList<int> windows{1, 0, 0};  // main, graph, help
    double answer = 0;
    bool ended = false;
    QString draws;       // "sr" per hand: a seeding from the clock, then a value
    QStringList sounds;  // the settings the sound device gets
    int questions = 0;

    int total() const { return counts[0] + counts[4] + counts[8]; }

    // A click; 終了 answered yes (6) or no (7).
    void click(int b, const QList<int> &r, int yes) {
        if (buttons[b] == u'0') {
            return;  // a disabled button does nothing
        }
        if (b == Janken || b == Pon) {
            b == Janken ? janken() : pon(r);
        } else if (b == AutoStart || b == AutoStop) {
            automode = b == AutoStart;
            b == AutoStart ? set("00000010", "===1") : set("10111101", "0000");
        } else if (b == Exit) {
            chime("endpinpon.wav");
            ++questions;
            (answer = yes) == 6 ? end() : void();
        } else if (b == Reset || b == Help) {
            chime("pinpon.wav");
        }
        windows[1] |= b == Graph;
        windows[2] |= b == Help;
        if (b == Reset) {
            show = picture = {1, 2, 3};
            automode = recordfull = 0;
            counts.fill(0);
            labels = QStringList(21, QStringLiteral("/"));
            set("101===0=", "");
        }
    }

    void tick(int timer, const QList<int> &r) {
        if (timer < 3) {  // the player's next picture
            picture[timer] = std::exchange(show[timer], show[timer] % 3 + 1);
        } else if (pon(r), recordfull != 1) {  // a closed experiment opens no further round
            janken();
        }
    }

    // The program ends: every window hidden, nothing left running.
    void end() { ended = true, windows = {0, 0, 0}, set("", "0000"); }

    // The result table as copied: a tab-separated line a row, empty cells empty.
    QString table() const {
        QString text = QStringLiteral(u"\t回数\t割合\n");
        for (int i = 0; i < 9; ++i) {
            text += QStringLiteral(
                        u"あいこ Ａ一人勝ち Ｂ一人勝ち Ｃ一人勝ち 一人勝ち Ａ一人負け "
                        u"Ｂ一人負け Ｃ一人負け 一人負け")
                        .section(u' ', i, i) +
                    u'\t' + labels[3 + i].section(u'/', 0, 0) + u'\t' +
                    labels[12 + i].section(u'/', 0, 0) + u'\n';
        }
        return text;
    }

    // The graph's numbers as copied: a row per index to the largest counter, empty past a curve's.
    QString graphTable() const {
        QString text = QStringLiteral(u"回数\tあいこ\t一人勝ち\t一人負け\n");
        for (int k = 1; k <= std::max({counts[0], counts[4], counts[8]}); ++k) {
            text += QString::number(k);
            for (int c = 0; c < 3; ++c) {
                text += u'\t' + (k <= counts[c * 4] ? shown[c][k] : QString());
            }
            text += u'\n';
        }
        return text;
    }

    QStringList pictures() const {  // per player the controls guu, pii, paa shown, or "-"
        QStringList shown;
        for (int p = 0; p < 9; ++p) {
            shown << (picture[p / 3] == p % 3 + 1 ? QStringList{"guu", "pii", "paa"}[p % 3] : "-");
        }
        return shown;
    }

private:
    // Buttons Command1..8 and timers Timer1..4, in one notation: 1 on, 0 off, =
    // as they were; o while the experiment is open, a in automatic play, m outside it.
    void set(const char *b, const char *t) {
        for (const auto &[now, to] : {std::pair{&buttons, b}, std::pair{&timers, t}}) {
            for (int i = 0; to[i]; ++i) {
                const bool on = to[i] == 'o'   ? recordfull != 1
                                : to[i] == 'a' ? automode == 1
                                : to[i] == 'm' ? automode != 1
                                               : to[i] == '1';
                (*now)[i] = to[i] == '=' ? (*now)[i] : on ? u'1' : u'0';
            }
        }
    }
    void janken() { set("0m0000a0", "111="); }

    void pon(const QList<int> &hands) {
        set("o0o111a1", "000=");
        hand = picture = hands;
        draws += QStringLiteral("srsrsr");
        const Verdict v = judge(hand);
        ++counts[v.alone < 0 ? 0 : v.alone + (v.of[v.alone] == u'W' ? 1 : 5)];
        counts[4] = counts[1] + counts[2] + counts[3];
        counts[8] = counts[5] + counts[6] + counts[7];
        for (int p = 0; p < 3; ++p) {
            const int k = int(QStringLiteral("DWL").indexOf(v.of[p]));
            labels[p] = QStringLiteral(u"あいこ/あいこ 勝ち/勝ち 負け/負け").section(u' ', k, k);
            colours[p] = QStringList{"#008000", "#0000ff", "#ff0000"}[k];
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
            recordfull = 1, automode = 0;
            set("00011101", "0000");
        }
    }

    // The five settings, then what the chime finds: it comes before anything else.
    void chime(const char *file) {
        sounds << "Stop"
               << "Close" << QStringLiteral("FileName=") + file << "Open"
               << "Sound" << QStringLiteral("help %1, %2 rounds").arg(windows[2]).arg(total());
    }
};

}  // namespace model
