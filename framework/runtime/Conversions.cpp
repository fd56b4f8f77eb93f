#include "Conversions.h"

#include <cmath>
#include <limits>

namespace rt {

double RuntimeCvtSInt32ToReal64(std::int32_t value)
{
    return static_cast<double>(value);
}

std::int32_t RuntimeCvtReal64ToSInt32(double value)
{
    using Limits = std::numeric_limits<std::int32_t>;
    if (std::isnan(value))
        return 0;
    const double truncated = std::trunc(value);
    if (truncated <= static_cast<double>(Limits::min()))
        return Limits::min();
    if (truncated >= static_cast<double>(Limits::max()))
        return Limits::max();
    return static_cast<std::int32_t>(truncated);
}

} // namespace rt
