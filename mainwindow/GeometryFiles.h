#pragma once

#include "classlib/FolderItem.h"
#include "classlib/Window.h"

#include <array>
#include <optional>

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

// The geometry file of that suffix: the preferences folder's child named by
// the prefix that `TextField1` holds. Nil when there is no folder to hold it.
rt::RefPtr<cl::FolderItem> GeometryFileItem(cl::Window& self, const char* suffix);

// The value a geometry file holds, or nothing when the file is missing,
// unreadable or holds no number.
std::optional<std::int32_t> ReadGeometryFile(cl::Window& self, const char* suffix);

// Writes the value's decimal text, with no line end, as the whole of the file.
// A file that can't be written is reported on standard error; false then.
bool WriteGeometryFile(cl::Window& self, const char* suffix, std::int32_t value);

} // namespace mainwindow
