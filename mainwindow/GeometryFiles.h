#pragma once

#include "classlib/FolderItem.h"
#include "classlib/StagedReplacements.h"
#include "classlib/Window.h"

#include <array>
#include <optional>
#include <string_view>

namespace mainwindow {

// The window keeps its place and size between runs in four files in the
// user's preferences folder, one value each, named by a prefix and a suffix.
inline constexpr const char* kGeometryFilePrefix = "quillmere";

struct GeometryFile {
    const char* suffix;
    cl::Window::Bound bound;
};

// In the order they are written and read; the top file goes first, and its
// presence says the others are there too.
inline constexpr std::array<GeometryFile, 4> kGeometryFiles { {
    { "-top.txt", cl::Window::TopBound },
    { "-left.txt", cl::Window::LeftBound },
    { "-height.txt", cl::Window::HeightBound },
    { "-width.txt", cl::Window::WidthBound },
} };

// A geometry file holds a dozen bytes; anything much longer was not written
// by the program and is not worth reading.
inline constexpr std::size_t kGeometryFileMaxLength = 256;

// The value of a geometry file's whole text: one finite number, with nothing
// but blanks, tabs and line ends around it, in at most kGeometryFileMaxLength
// bytes, taken by CDbl and converted to an integer. Nothing for other text.
std::optional<std::int32_t> GeometryValueOfText(const rt::String& text);

// A window's place and size, as the geometry files hold them.
struct SavedGeometry {
    std::int32_t top, left, height, width;
};

// The place and size the last close saved, when the top file says there is
// one and all four files hold a window that fits the screens. Nothing when
// any file is missing or unreadable or the window would be out of sight.
std::optional<SavedGeometry> ReadSavedGeometry(cl::Window& self);

// Writes the value's decimal text, with no line end, as the whole of a new
// file that takes the geometry file's place in `preferences` (the folder
// SpecialFolder::Preferences gave, nil when there is none) when `newFiles` are
// put in place. A file that can't be written is reported on standard error
// and skipped.
void WriteGeometryFile(cl::Window& self, const rt::RefPtr<cl::FolderItem>& preferences, const char* suffix,
    std::int32_t value, cl::StagedReplacements& newFiles);

// Puts the written geometry files in place, one after another; one that
// can't be is reported on standard error.
void PutGeometryFilesInPlace(cl::StagedReplacements& newFiles);

} // namespace mainwindow
