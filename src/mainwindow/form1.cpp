#include "mainwindow/form1.h"

#include "experiment/history.h"
#include "experiment/judgement.h"
#include "experiment/module1.h"
#include "experiment/ratio.h"
#include "forms/palette.h"
#include "graph/form2.h"
#include "help/form4.h"
#include "mainwindow/pictures.h"
#include "sound/mmcontrol.h"

#include <cassert>

using namespace experiment;

Form1::Form1()
    : forms::Form(mainwindow::kForm1Window), m_random(std::make_unique<HandGenerator>()) {
    setIcon(mainwindow::kIconPicture);
    build<mainwindow::Form1Controls>(*this, mainwindow::kForm1Controls);
    bindControls();
    connectHandlers();
    Form_Load();
}

Form1::~Form1() = default;

void Form1::connectHandlers() {
    Command1->onClick([this] { Command1_Click(); });
    Command2->onClick([this] { Command2_Click(); });
    Command3->onClick([this] { Command3_Click(); });
    Command4->onClick([this] { Command4_Click(); });
    Command5->onClick([this] { Command5_Click(); });
    Command6->onClick([this] { Command6_Click(); });
    Command7->onClick([this] { Command7_Click(); });
    Command8->onClick([this] { Command8_Click(); });
    Timer1->onTimer([this] { Timer1_Timer(); });
    Timer2->onTimer([this] { Timer2_Timer(); });
    Timer3->onTimer([this] { Timer3_Timer(); });
    Timer4->onTimer([this] { Timer4_Timer(); });

    // The result table for worksheets and slides: Ctrl+C anywhere in the window, or コピー on
    // the menu of the table's cells. It runs no handler and touches no experiment state.
    std::vector<forms::Control *> cells{Label13, Label14};
    for (const ResultRow &row : m_results) {
        cells.insert(cells.end(), {row.heading, row.countLabel, row.ratioLabel});
    }
    const auto copy = [this] { forms::setClipboard({resultTable()}); };
    addCopyCommand(u"コピー", copy, cells);
}

// The column headings, then per outcome its heading, count and ratio as shown (empty cells stay
// empty).
forms::Table Form1::resultTable() const {
    forms::Table table{{u"", Label13->caption(), Label14->caption()}};
    for (const ResultRow &row : m_results) {
        table.push_back(
            {row.heading->caption(), row.countLabel->caption(), row.ratioLabel->caption()});
    }
    return table;
}

// Shows a cell's caption, and gives a screen reader the cell's name with it ("あいこ 回数 12"):
// a screen reader's review reads a label's name, not its description.
void Form1::setCell(forms::Label *cell, std::u16string_view caption) {
    cell->setCaption(caption);
    std::u16string name = m_cellNames.at(cell);
    if (!caption.empty()) {
        name += u' ';
        name += caption;
    }
    cell->setAccessibleName(name);
}

namespace {

const std::array<std::u16string_view, 3> kHandCaptions{u"グー", u"チョキ", u"パー"};

std::u16string_view handCaption(std::int16_t hand) {
    return kHandCaptions.at(static_cast<std::size_t>(hand - 1));
}

std::u16string_view outcomeCaption(Tally tally) {
    switch (tally) {
        case Tally::Aiko:
            return u"あいこ";
        case Tally::A1Kati:
        case Tally::B1Kati:
        case Tally::C1Kati:
            return u"一人勝ち";
        default:
            return u"一人負け";
    }
}

}  // namespace

// A round judged, as a screen reader says it: "Ａくん パー 勝ち、Ｂくん グー 負け、Ｃくん グー
// 負け。一人勝ち".
std::u16string Form1::roundSpoken(const JudgementRow &row) const {
    std::u16string text;
    for (std::size_t i = 0; i < m_players.size(); ++i) {
        text += m_players[i].name->caption() + u' ' + std::u16string(handCaption(row.hands[i])) +
                u' ' + std::u16string(verdictCaption(row.verdicts[i]));
        text += i + 1 < m_players.size() ? u"、" : u"。";
    }
    return text + std::u16string(outcomeCaption(row.tally));
}

void Form1::setRandomSource(std::unique_ptr<RandomSource> source) {
    if (source) {
        m_random = std::move(source);
    }
}

void Form1::setTimeOfDay(TimeOfDay timeOfDay) {
    if (timeOfDay) {
        m_timeOfDay = std::move(timeOfDay);
    }
}

void Form1::setQuestion(Question question) {
    if (question) {
        m_question = std::move(question);
    }
}

void Form1::setProgramEnd(std::function<void(int)> end) {
    if (end) {
        m_programEnd = std::move(end);
    }
}

Form2 *Form1::graphWindow() const {
    return m_form2.get();
}

Form4 *Form1::helpWindow() const {
    return m_form4.get();
}

// The players' columns and the result table's rows, and what a screen reader calls each of
// their cells: a picture by player and hand ("Ａくん グー"), a judgement by player ("Ａくん
// 判定"), a result cell by row and column ("あいこ 回数"). Buttons and headings are known by
// their captions.
void Form1::bindControls() {
    m_players = {{
        {Label1, Timer1, {guu1, pii1, paa1}, hanntei1, &ashow, &ahand, &ahandname},
        {Label2, Timer2, {guu2, pii2, paa2}, hanntei2, &bshow, &bhand, &bhandname},
        {Label3, Timer3, {guu3, pii3, paa3}, hanntei3, &cshow, &chand, &chandname},
    }};
    m_results = {{
        {&Module1::aikocount, Label4, aikolabel, aikow},
        {&a1katicount, Label5, a1katilabel, a1katiw},
        {&b1katicount, Label6, b1katilabel, b1katiw},
        {&c1katicount, Label7, c1katilabel, c1katiw},
        {&Module1::abc1katicount, Label8, abc1katiLabel, abc1katiw},
        {&a1makecount, Label12, a1makelabel, a1makew},
        {&b1makecount, Label11, b1makelabel, b1makew},
        {&c1makecount, Label10, c1makelabel, c1makew},
        {&Module1::abc1makecount, Label9, abc1makelabel, abc1makew},
    }};
    for (const Player &player : m_players) {
        const std::u16string who = player.name->caption() + u' ';
        for (std::size_t i = 0; i < player.pictures.size(); ++i) {
            player.pictures[i]->setAccessibleName(who + std::u16string(kHandCaptions[i]));
        }
        m_cellNames[player.hanntei] = who + u"判定";
    }
    for (const ResultRow &row : m_results) {
        m_cellNames[row.countLabel] = row.heading->caption() + u' ' + Label13->caption();
        m_cellNames[row.ratioLabel] = row.heading->caption() + u' ' + Label14->caption();
    }
    for (const auto &[cell, name] : m_cellNames) {
        cell->setAccessibleName(name);
    }
}

// ---- keyboard focus -----------------------------------------------------------------------

// Remembers where the keyboard focus was when a handler began, and applies the focus rule when
// it ends.
class Form1::FocusKeeper {
public:
    explicit FocusKeeper(Form1 &form) : m_form(form), m_had(form.focusedControl()) {}
    ~FocusKeeper() { m_form.passFocusOn(m_had); }
    FocusKeeper(const FocusKeeper &) = delete;
    FocusKeeper &operator=(const FocusKeeper &) = delete;

private:
    Form1 &m_form;
    const forms::Control *m_had;
};

// When a handler has disabled the button that had the focus, or left the window without a
// focus, the focus goes to the first enabled button the user is likely to want next. Left to
// itself, the focus would move along the tab order to whichever button happened to be enabled
// at that moment of the handler.
void Form1::passFocusOn(const forms::Control *had) {
    if (!isVisible()) {
        return;  // nobody types into a window that is not shown
    }
    const forms::Control *now = focusedControl();
    const bool lost = (had && !had->isEnabled()) || !now || !now->isEnabled();
    if (!lost) {
        return;
    }
    for (forms::CommandButton *next : focusSuccessors(had)) {
        if (next->isEnabled()) {
            next->setFocus();
            return;
        }
    }
}

std::vector<forms::CommandButton *> Form1::focusSuccessors(const forms::Control *had) const {
    std::vector<forms::CommandButton *> order;
    if (had == Command1) {
        order = {Command2, Command7};  // a round opened: the button that ends it
    } else if (had == Command2) {
        order = {Command1};  // a round judged: the next one
    } else if (had == Command3) {
        order = {Command7};  // automatic play on: its stop
    } else if (had == Command7) {
        order = {Command3};  // automatic play off: its start
    }
    // Then the reset, usable whenever no round is under way (also once the experiment is
    // closed), then any button.
    order.insert(order.end(),
                 {Command4, Command1, Command2, Command3, Command7, Command8, Command5, Command6});
    return order;
}

// ---- start-up -----------------------------------------------------------------------------

void Form1::resetVariables() {
    ashow = 1;
    bshow = 2;
    cshow = 3;
    automode = 0;
    Module1::recordfull = 0;
    Module1::aikocount = 0;
    a1katicount = 0;
    b1katicount = 0;
    c1katicount = 0;
    Module1::abc1katicount = 0;
    a1makecount = 0;
    b1makecount = 0;
    c1makecount = 0;
    Module1::abc1makecount = 0;
}

void Form1::showStartPictures() {
    // A rock, B scissors, C paper, matching the start values of the shuffle.
    for (std::size_t i = 0; i < m_players.size(); ++i) {
        showHand(m_players[i], static_cast<std::int16_t>(i + 1));
        nameHand(m_players[i], static_cast<std::int16_t>(i + 1));
    }
}

// The hand a player shows, for a screen reader: on the player's name ("Ａくん パー"), which
// stays in place while the pictures come and go; none while the hands shuffle.
void Form1::nameHand(const Player &player, std::int16_t hand) {
    std::u16string name = player.name->caption();
    if (hand != 0) {
        name += u' ';
        name += handCaption(hand);
    }
    player.name->setAccessibleName(name);
}

void Form1::Form_Load() {
    resetVariables();
    for (Player &player : m_players) {
        setCell(player.hanntei, u"");
    }
}

void Form1::Form_Activate() {
    // The start-up steps belong to the first showing only. Run again when the window is
    // re-activated, they would swap the start pictures in mid-round and could leave a manual
    // shuffle with no enabled button.
    if (m_startupShown) {
        return;
    }
    m_startupShown = true;
    Command2->setEnabled(false);
    Command7->setEnabled(false);
    showStartPictures();
}

// ---- the shuffle --------------------------------------------------------------------------

void Form1::showHand(const Player &player, std::int16_t hand) {
    // Set in the order rock, scissors, paper: the drawn one visible.
    for (std::size_t i = 0; i < player.pictures.size(); ++i) {
        player.pictures[i]->setVisible(static_cast<std::int16_t>(i + 1) == hand);
    }
}

void Form1::Command1_Click() {
    const FocusKeeper keeper(*this);
    Command1->setEnabled(false);
    if (automode != 1) {
        Command2->setEnabled(true);
    }
    Command3->setEnabled(false);
    Command7->setEnabled(automode == 1);
    for (const Player &player : m_players) {
        nameHand(player, 0);
    }
    Timer1->setEnabled(true);
    Timer2->setEnabled(true);
    Timer3->setEnabled(true);
    Command4->setEnabled(false);
    Command5->setEnabled(false);
    Command6->setEnabled(false);
    Command8->setEnabled(false);
}

void Form1::shuffleTick(Player &player) {
    showHand(player, *player.show);
    *player.show = static_cast<std::int16_t>(*player.show % 3 + 1);
}

void Form1::Timer1_Timer() {
    shuffleTick(m_players[0]);
}
void Form1::Timer2_Timer() {
    shuffleTick(m_players[1]);
}
void Form1::Timer3_Timer() {
    shuffleTick(m_players[2]);
}

// ---- the round ----------------------------------------------------------------------------

void Form1::drawHand(Player &player) {
    player.timer->setEnabled(false);
    m_random->randomize(m_timeOfDay());
    const std::int16_t hand = handFromUniform(m_random->rnd());
    *player.hand = hand;
    showHand(player, hand);
    nameHand(player, hand);
    *player.handname = handName(hand);
}

const JudgementRow &Form1::judgeRound() {
    const JudgementRow *row = judge(ahandname, bhandname, chandname);
    assert(row);  // every drawn hand has its name
    for (std::size_t i = 0; i < m_players.size(); ++i) {
        forms::Label *label = m_players[i].hanntei;
        setCell(label, verdictCaption(row->verdicts[i]));
        label->setForeColor(forms::paletteColour(verdictPaletteIndex(row->verdicts[i])));
    }
    std::int16_t *counter = nullptr;
    switch (row->tally) {
        case Tally::Aiko:
            counter = &Module1::aikocount;
            break;
        case Tally::A1Kati:
            counter = &a1katicount;
            break;
        case Tally::B1Kati:
            counter = &b1katicount;
            break;
        case Tally::C1Kati:
            counter = &c1katicount;
            break;
        case Tally::A1Make:
            counter = &a1makecount;
            break;
        case Tally::B1Make:
            counter = &b1makecount;
            break;
        case Tally::C1Make:
            counter = &c1makecount;
            break;
    }
    *counter = add16(*counter, 1);
    return *row;
}

void Form1::showCounts() {
    for (const ResultRow &row : m_results) {
        setCell(row.countLabel, decimal(*row.count));
    }
    for (const ResultRow &row : m_results) {
        const std::int16_t total =
            add16(add16(Module1::aikocount, Module1::abc1katicount), Module1::abc1makecount);
        setCell(row.ratioLabel, ratioText(*row.count, total));
    }
}

void Form1::recordHistories() {
    const std::int16_t total =
        add16(add16(Module1::aikocount, Module1::abc1katicount), Module1::abc1makecount);
    recordRatio(Module1::aikorecord, Module1::aikocount, total);
    recordRatio(Module1::abc1katirecord, Module1::abc1katicount, total);
    recordRatio(Module1::abc1makerecord, Module1::abc1makecount, total);
}

void Form1::closeExperiment() {
    Module1::recordfull = 1;
    Timer1->setEnabled(false);
    Timer2->setEnabled(false);
    Timer3->setEnabled(false);
    Timer4->setEnabled(false);
    Command1->setEnabled(false);
    Command2->setEnabled(false);
    Command3->setEnabled(false);
    Command4->setEnabled(true);
    Command5->setEnabled(true);
    Command6->setEnabled(true);
    Command7->setEnabled(false);
    Command8->setEnabled(true);
    automode = 0;
}

void Form1::Command2_Click() {
    const FocusKeeper keeper(*this);
    // Buttons at entry.
    Command2->setEnabled(false);
    const bool open = Module1::recordfull != 1;
    Command1->setEnabled(open);
    Command3->setEnabled(open);
    Command7->setEnabled(automode == 1);
    Command4->setEnabled(true);
    Command5->setEnabled(true);
    Command6->setEnabled(true);
    Command8->setEnabled(true);

    // Each player's shuffle stops just before that player's own draw.
    for (Player &player : m_players) {
        drawHand(player);
    }

    // A screen reader hears each round judged by hand; automatic play is quiet until it ends.
    const bool byHand = automode != 1;
    const JudgementRow &row = judgeRound();
    Module1::abc1katicount = add16(add16(b1katicount, a1katicount), c1katicount);
    Module1::abc1makecount = add16(add16(b1makecount, a1makecount), c1makecount);
    showCounts();

    if (Module1::recordfull != 1) {
        recordHistories();
    }
    std::u16string spoken;
    if (byHand) {
        spoken = roundSpoken(row) + u"。";
    }
    if (limitReached(Module1::aikocount, Module1::abc1katicount, Module1::abc1makecount)) {
        closeExperiment();
        spoken += u"実験終了。" + ratiosSpoken();
    }
    if (!spoken.empty()) {
        announce(spoken);
    }
}

// ---- automatic play -----------------------------------------------------------------------

void Form1::Command3_Click() {
    const FocusKeeper keeper(*this);
    Timer4->setEnabled(true);
    automode = 1;
    // Into the automatic-play state at once: left usable until the first tick, 初期化 could
    // reset the flag and leave Timer4 judging rounds with nobody watching.
    Command1->setEnabled(false);
    Command2->setEnabled(false);
    Command3->setEnabled(false);
    Command4->setEnabled(false);
    Command5->setEnabled(false);
    Command6->setEnabled(false);
    Command7->setEnabled(true);
    Command8->setEnabled(false);
}

void Form1::Timer4_Timer() {
    const FocusKeeper keeper(*this);
    Command2_Click();
    // A judgement that closed the experiment ends automatic play here: no further round is
    // opened that could be counted but never recorded.
    if (Module1::recordfull != 1) {
        Command1_Click();
    }
}

void Form1::Command7_Click() {
    const FocusKeeper keeper(*this);
    Timer1->setEnabled(false);
    Timer2->setEnabled(false);
    Timer3->setEnabled(false);
    Timer4->setEnabled(false);
    Command1->setEnabled(true);
    Command2->setEnabled(false);
    Command3->setEnabled(true);
    Command4->setEnabled(true);
    Command5->setEnabled(true);
    Command6->setEnabled(true);
    Command7->setEnabled(false);
    Command8->setEnabled(true);
    automode = 0;
    announce(u"自動停止。" + ratiosSpoken());
}

// ---- reset --------------------------------------------------------------------------------

void Form1::chime(std::u16string_view fileName) {
    MMControl1->setCommand(u"Stop");
    MMControl1->setCommand(u"Close");
    MMControl1->setFileName(fileName);
    MMControl1->setCommand(u"Open");
    MMControl1->setCommand(u"Sound");
}

void Form1::Command4_Click() {
    const FocusKeeper keeper(*this);
    chime(u"pinpon.wav");
    resetVariables();
    for (Player &player : m_players) {
        setCell(player.hanntei, u"");
    }
    Command1->setEnabled(true);
    Command2->setEnabled(false);
    Command3->setEnabled(true);
    Command7->setEnabled(false);
    showStartPictures();
    for (const ResultRow &row : m_results) {
        setCell(row.countLabel, u"");
    }
    for (const ResultRow &row : m_results) {
        setCell(row.ratioLabel, u"");
    }
}

// ---- help, graph and exit -----------------------------------------------------------------

void Form1::Command5_Click() {
    const FocusKeeper keeper(*this);
    chime(u"pinpon.wav");
    if (!m_form4) {
        m_form4 = forms::load<Form4>(*this);
    }
    m_form4->Show();
}

void Form1::Command8_Click() {
    const FocusKeeper keeper(*this);
    if (!m_form2) {
        m_form2 = forms::load<Form2>(*this);
    }
    m_form2->Show();
}

void Form1::Command6_Click() {
    const FocusKeeper keeper(*this);
    chime(u"endpinpon.wav");
    answer = m_question(u"終了していいですか？", u"じゃんけん");
    if (answer == forms::vbYes) {
        endProgram();
    }
}

void Form1::endProgram() {
    if (m_ending) {
        return;
    }
    m_ending = true;
    // Nothing of the program runs after this: no tick, no window.
    Timer1->setEnabled(false);
    Timer2->setEnabled(false);
    Timer3->setEnabled(false);
    Timer4->setEnabled(false);
    if (m_form2) {
        m_form2->Hide();
    }
    if (m_form4) {
        m_form4->Hide();
    }
    Hide();
    m_programEnd(0);
}

// Closing the main window through its frame ends the whole program, not just this window, and
// asks nothing.
void Form1::closedByFrame() {
    endProgram();
}
