#pragma once

class QWidget;

namespace mainwindow {

// Names the main window's controls for assistive technology, from the
// captions of its own layout: each hand picture by player and hand
// ("Ａくん グー"), each result cell by row and column ("あいこ 回数"), each
// judgement label by player ("Ａくん 判定"). Buttons and headings are known
// by their captions.
void nameMainWindowControls(QWidget *window);

}  // namespace mainwindow
