#pragma once

#include <cstdint>

namespace rt {

double RuntimeCvtSInt32ToReal64(std::int32_t);

// Defined for every double: the fraction is dropped (toward zero), values past
// the 32-bit range give its nearest end, and NaN gives 0.
std::int32_t RuntimeCvtReal64ToSInt32(double);

} // namespace rt
