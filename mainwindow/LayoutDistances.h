#pragma once

#include <cstdint>

namespace mainwindow {

// The distances that place the page view and the "?" button against the
// window's edges, shared by the designed layout, opening and resizing.

// The toolbar's height: the page view starts right below it.
inline constexpr std::int32_t kToolbarHeight = 35;

// Taken off the window's height for the page view's: the toolbar above the
// view, and a bare strip below it (15 pixels) that keeps its bottom edge
// inside the window.
inline constexpr std::int32_t kPageViewHeightShortfall = 50;
static_assert(kPageViewHeightShortfall >= kToolbarHeight, "the page view would run past the window's bottom edge");

// Taken off the window's width for the page view's, on opening and after a
// floor was applied; the view then stops short of the right edge.
inline constexpr std::int32_t kPageViewWidthShortfall = 10;

// The "?" button's left edge lies this far left of the window's right edge,
// so the button stays at the end of the toolbar as the window is resized.
inline constexpr std::int32_t kHelpButtonFromRight = 46;

} // namespace mainwindow
