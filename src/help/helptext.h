#pragma once

#include <QStringList>

namespace help {

// The help window's 29 lines, each exactly as printed: ideographic spaces
// (1 before a heading, 8 before a paragraph's first line, 7 before its other
// lines), then the line's text. The paragraphs are broken in advance, often
// mid-word; lines are never joined or wrapped again.
const QStringList &helpLines();

}  // namespace help
