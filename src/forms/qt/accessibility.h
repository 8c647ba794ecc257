#pragma once

#include <QString>
#include <QWidget>

namespace forms::qt {

// Gives the forms' widgets the roles a screen reader expects: image controls and canvases are
// graphics, a line a separator, the sound control a sound that is never seen. Needed before
// the first interface is made; calling it again does nothing.
void installAccessibleRoles();

// Says `text` once to a screen reader, on behalf of `window`.
void announce(QWidget *window, const QString &text);

}  // namespace forms::qt
