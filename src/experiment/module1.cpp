#include "experiment/module1.h"

namespace Module1 {

// Zero-initialised at program start; never cleared afterwards.
RatioHistory aikorecord{};
RatioHistory abc1katirecord{};
RatioHistory abc1makerecord{};

std::int16_t aikocount = 0;
std::int16_t abc1katicount = 0;
std::int16_t abc1makecount = 0;
std::int16_t recordfull = 0;

}  // namespace Module1
