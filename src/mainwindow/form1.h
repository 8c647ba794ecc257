// The main window, Form1: the players, the result table and the commands of the experiment.
//
// What checks from outside the project may rely on:
// - The windows are declared in mainwindow/form1.h, graph/form2.h and help/form4.h.
// - Each handler is a public member function named after its control and event
//   (Form1::Command2_Click(), Form1::Timer4_Timer(), Form2::Form_Activate(),
//   Form4::Command1_Click()), and can be called directly. The main window's own variables are its
//   public members (Form1::automode, Form1::a1katicount); the shared ones are Module1's
//   (experiment/module1.h).
// - In the Qt build each window is a top-level QWidget whose objectName is "Form1", "Form2" or
//   "Form4", and each control is a child QWidget or QTimer of it whose objectName is the
//   control's name ("Command1", "Label13", "guu1", "Picture1", "Timer1", "MMControl1").
//   forms::qt::widget(form), declared in forms/qt/window.h, gives the QWidget of a window.
// - The generator, the clock, the exit question and the program's end are replaced with
//   setRandomSource(), setTimeOfDay(), setQuestion() and setProgramEnd(); the sound device with
//   MMControl::setDevice() on the control MMControl1. graphWindow() and helpWindow() give the
//   graph and help windows while they are loaded.
#pragma once

#include "experiment/judgement.h"
#include "experiment/random.h"
#include "forms/form.h"
#include "mainwindow/layout.h"

#include <array>
#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

class Form2;
class Form4;

class Form1 : public forms::Form, private mainwindow::Form1Controls {
public:
    Form1();
    ~Form1() override;

    // The generator the hands are drawn from, and the clock it is seeded with.
    void setRandomSource(std::unique_ptr<experiment::RandomSource> source);
    void setTimeOfDay(experiment::TimeOfDay timeOfDay);

    // The exit question: 6 for yes, 7 for no. By default a modal message box.
    using Question = std::function<int(std::u16string_view text, std::u16string_view title)>;
    void setQuestion(Question question);
    // The program's end, with its exit status. By default the program ends at once.
    void setProgramEnd(std::function<void(int status)> end);

    // The graph and help windows, while they are loaded.
    Form2 *graphWindow() const;
    Form4 *helpWindow() const;

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
    std::u16string ahandname;
    std::u16string bhandname;
    std::u16string chandname;

    void Form_Load();
    void Form_Activate() override;
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
    void closedByFrame() override;

private:
    // One player's column: its name, pictures, judgement label and shuffle timer.
    struct Player {
        forms::Label *name = nullptr;
        forms::Timer *timer = nullptr;
        std::array<forms::Image *, 3> pictures{};  // guu, pii, paa
        forms::Label *hanntei = nullptr;
        std::int16_t *show = nullptr;
        std::int16_t *hand = nullptr;
        std::u16string *handname = nullptr;
    };
    // One row of the result table: its counter, its heading and its two cells.
    struct ResultRow {
        std::int16_t *count = nullptr;
        forms::Label *heading = nullptr;
        forms::Label *countLabel = nullptr;
        forms::Label *ratioLabel = nullptr;
    };

    class FocusKeeper;
    void passFocusOn(const forms::Control *had);
    std::vector<forms::CommandButton *> focusSuccessors(const forms::Control *had) const;

    void bindControls();
    void connectHandlers();
    forms::Table resultTable() const;
    void setCell(forms::Label *cell, std::u16string_view caption);
    std::u16string roundSpoken(const experiment::JudgementRow &row) const;
    void resetVariables();
    void showStartPictures();
    static void showHand(const Player &player, std::int16_t hand);
    static void nameHand(const Player &player, std::int16_t hand);
    void shuffleTick(Player &player);
    void drawHand(Player &player);
    const experiment::JudgementRow &judgeRound();
    void showCounts();
    void recordHistories();
    void closeExperiment();
    void chime(std::u16string_view fileName);
    void endProgram();

    std::array<Player, 3> m_players{};
    std::array<ResultRow, 9> m_results{};                  // in the order the labels are written
    std::map<forms::Label *, std::u16string> m_cellNames;  // what a screen reader calls each
    std::unique_ptr<experiment::RandomSource> m_random;
    experiment::TimeOfDay m_timeOfDay = experiment::systemTimeOfDay;
    bool m_startupShown = false;
    bool m_ending = false;
    forms::Guarded<Form2> m_form2;
    forms::Guarded<Form4> m_form4;
    Question m_question = [this](std::u16string_view text, std::u16string_view title) {
        return forms::msgBox(*this, text, forms::vbYesNo, title);
    };
    std::function<void(int)> m_programEnd = forms::endProgram;
};
