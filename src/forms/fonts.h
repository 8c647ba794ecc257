#pragma once

#include <QFont>

namespace forms {

// The program's Gothic face, sized in pixels so that the fixed layouts hold
// at any logical DPI. Families tried in order: "ＭＳ Ｐゴシック" under its two
// names; Ume P Gothic, drawn to that face's widths and line heights, so that
// every caption and help line fits as laid out; IPAPGothic, whose wider
// glyphs push some help lines past the canvas; then any Japanese Gothic.
// The faces have no bold cut: bold (weight 700) is emboldened by Qt.
QFont gothicFont(int pixelSize, bool bold = false, bool italic = false);

inline constexpr int kTableFontPixels = 21;   // 15.75 pt at 96 dpi
inline constexpr int kButtonFontPixels = 16;  // 12 pt at 96 dpi
// The windows' own font, for the small top-row buttons: the face at 9 pt,
// as a Japanese desktop gives its windows. With the toolkit's Latin default
// their captions would come from whichever Japanese face fontconfig picks as
// a fallback, a second large font file loaded at start-up.
inline constexpr int kWindowFontPixels = 12;

}  // namespace forms
