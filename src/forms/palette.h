#pragma once

#include "forms/controls.h"

namespace forms {

// The classic 16-colour palette that captions and drawings name by index (0 black, 2 green,
// 9 light blue, 12 light red ... 15 bright white).
Colour paletteColour(int index);

}  // namespace forms
