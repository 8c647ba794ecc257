#pragma once

#include "forms/controls.h"

#include <QFont>

namespace forms::qt {

// The program's Gothic face at a size in pixels. Families tried in order: "ＭＳ Ｐゴシック" under
// its two names; Ume P Gothic, drawn to that face's widths and line heights, so that every
// caption and help line fits as laid out; IPAPGothic, whose wider glyphs push some help lines
// past the canvas; then any Japanese Gothic. The faces have no bold cut: Qt emboldens them.
QFont gothicFont(const Font &font);

// The windows' own font, for the small top-row buttons: the face at 9 pt, as a Japanese desktop
// gives its windows. With the toolkit's Latin default their captions would come from whichever
// Japanese face fontconfig picks as a fallback, a second large font file loaded at start-up.
inline constexpr int kWindowFontPixels = 12;

}  // namespace forms::qt
