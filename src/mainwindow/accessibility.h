#pragma once

#include <QString>

class QLabel;
class QWidget;

namespace mainwindow {

// Gives the program's own widget classes the roles a screen reader expects:
// hand pictures and canvases are graphics, the program's windows windows.
// Needed before the first interface is made; calling it again does nothing.
void installAccessibleRoles();

// Names the main window's controls for assistive technology, from the
// captions of its own layout: each hand picture by player and hand
// ("Ａくん グー"), each result cell by row and column ("あいこ 回数"), each
// judgement label by player ("Ａくん 判定"). Buttons and headings are known
// by their captions.
void nameMainWindowControls(QWidget *window);

// Sets what a label shows. A screen reader knows the label by its fixed name,
// so the text it shows now goes into its accessible description as well, in
// the same step; Qt tells the screen reader of the change.
void setCaption(QLabel *label, const QString &text);

}  // namespace mainwindow
