#pragma once

#include "experiment/random.h"
#include "forms/formwindow.h"
#include "mainwindow/layout.h"

#include <QCoreApplication>
#include <QList>
#include <QString>

#include <array>
#include <cstdint>
#include <functional>
#include <memory>

class Form2;
class Form4;

// The main window: the players, the result table and the commands of the
// experiment. Its handlers are public slots named after the control and event
// they serve, and each can be called directly.
class Form1 : public forms::FormWindow, private mainwindow::Form1Controls {
    Q_OBJECT

public:
    explicit Form1(QWidget *parent = nullptr);
    ~Form1() override;

    // Replace the generator the hands are drawn from, and the clock it is
    // seeded with.
    void setRandomSource(std::unique_ptr<experiment::RandomSource> source);
    void setTimeOfDay(experiment::TimeOfDay timeOfDay);

    // Replace the exit question (returns 6 for yes, 7 for no) and the end of
    // the program (by default: the event loop is left with the status, and
    // main returns once the windows and the sound context are destroyed).
    using Question = std::function<int(QWidget *parent, const QString &text, const QString &title)>;
    void setQuestion(Question question);
    void setProgramEnd(std::function<void(int status)> end);

    // The graph and help windows, while they exist.
    Form2 *graphWindow() const { return m_form2.get(); }
    Form4 *helpWindow() const { return m_form4.get(); }

    // The window's own experiment variables; the shared ones live in Module1.
    double answer = 0;
    std::int16_t ashow = 0;
    std::int16_t bshow = 0;
    std::int16_t cshow = 0;
    std::int16_t automode = 0;
    std::int16_t ahand = 0;
    std::int16_t bhand = 0;
    std::int16_t chand = 0;
    std::int16_t a1katicount = 0;
    std::int16_t b1katicount = 0;
    std::int16_t c1katicount = 0;
    std::int16_t a1makecount = 0;
    std::int16_t b1makecount = 0;
    std::int16_t c1makecount = 0;
    QString ahandname;
    QString bhandname;
    QString chandname;

public slots:
    void Form_Load();
    void Form_Activate();
    void Command1_Click();  // ジャンケン: open a round
    void Command2_Click();  // ポ　ン: draw, judge and count the round
    void Command3_Click();  // 自動開始: start automatic play
    void Command4_Click();  // 初期化: chime, then a fresh experiment
    void Command5_Click();  // HELP: chime, then the help window
    void Command6_Click();  // 終了: chime, then ask and end the program
    void Command7_Click();  // 自動停止: stop automatic play
    void Command8_Click();  // グラフ表示: the graph window
    void Timer1_Timer();
    void Timer2_Timer();
    void Timer3_Timer();
    void Timer4_Timer();  // one automatic round: judge it, open the next

protected:
    void activated() override { Form_Activate(); }
    void showEvent(QShowEvent *event) override;
    void closeEvent(QCloseEvent *event) override;

private:
    // One player's column: its name, pictures, judgement label and shuffle timer.
    struct Player {
        QLabel *name = nullptr;
        QTimer *timer = nullptr;
        std::array<forms::ImageControl *, 3> pictures{};  // guu, pii, paa
        QLabel *hanntei = nullptr;
        std::int16_t *show = nullptr;
        std::int16_t *hand = nullptr;
        QString *handname = nullptr;
    };
    // One row of the result table: its counter, its heading and its two cells.
    struct ResultRow {
        std::int16_t *count = nullptr;
        QLabel *heading = nullptr;
        QLabel *countLabel = nullptr;
        QLabel *ratioLabel = nullptr;
    };

    void offerCopy();
    QString resultTable() const;

    class FocusKeeper;
    void passFocusOn(QWidget *had);
    QList<QPushButton *> focusSuccessors(const QWidget *had) const;

    void bindControls();
    void resetVariables();
    void showStartPictures();
    static void showHand(const Player &player, std::int16_t hand);
    void shuffleTick(Player &player);
    void drawHand(Player &player);
    void judgeRound();
    void showCounts();
    void recordHistories();
    void closeExperiment();
    void chime(const QString &fileName);
    void endProgram();
    template <typename Window, typename Make>
    void bringUp(std::unique_ptr<Window> &window, Make make);
    static int askYesNo(QWidget *parent, const QString &text, const QString &title);

    std::array<Player, 3> m_players{};
    std::array<ResultRow, 9> m_results{};  // in the order the labels are written
    std::unique_ptr<experiment::RandomSource> m_random;
    experiment::TimeOfDay m_timeOfDay = experiment::systemTimeOfDay;
    bool m_startupShown = false;
    bool m_ending = false;
    std::unique_ptr<Form2> m_form2;
    std::unique_ptr<Form4> m_form4;
    Question m_question = askYesNo;
    std::function<void(int)> m_programEnd = [](int status) { QCoreApplication::exit(status); };
};
