#pragma once

#include <QString>

class QLabel;
class QWidget;

namespace forms {

// Gives the form runtime's widget classes the roles a screen reader
// expects: image controls and canvases are graphics, forms are windows.
// Needed before the first interface is made; calling it again does nothing.
void installAccessibleRoles();

// Sets what a label shows. A screen reader knows the label by its fixed name,
// so the text it shows now goes into its accessible description as well, in
// the same step; Qt tells the screen reader of the change.
void setCaption(QLabel *label, const QString &text);

}  // namespace forms
