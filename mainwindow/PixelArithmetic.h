#pragma once

#include <cstdint>

namespace mainwindow {

// Pixel values are plain 32-bit integers: a sum or a difference wraps around
// as the hardware's does instead of being undefined at the ends of the range.
constexpr std::int32_t Plus(std::int32_t a, std::int32_t b)
{
    return static_cast<std::int32_t>(static_cast<std::uint32_t>(a) + static_cast<std::uint32_t>(b));
}

constexpr std::int32_t Minus(std::int32_t a, std::int32_t b)
{
    return static_cast<std::int32_t>(static_cast<std::uint32_t>(a) - static_cast<std::uint32_t>(b));
}

} // namespace mainwindow
