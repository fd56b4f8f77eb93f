#pragma once

#include <cstdint>

namespace cl {

enum class FontUnits : std::int32_t { Default = 0, Pixel = 1, Point = 2, Inch = 3, Millimeter = 4 };

} // namespace cl
