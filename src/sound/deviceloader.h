#pragma once

#include "sound/mmcontrol.h"

#include <memory>

namespace sound {

// The chime device from the chime player library, loaded on this first
// call. Where the library cannot be found or loaded, says so once on
// standard error and returns a device that plays nothing: the experiment
// goes on without its chimes.
std::unique_ptr<SoundDevice> createChimeDevice();

}  // namespace sound
