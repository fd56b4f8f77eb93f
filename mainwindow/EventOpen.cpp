#include "mainwindow/ControlLookup.h"
#include "mainwindow/GeometryFiles.h"
#include "mainwindow/PixelArithmetic.h"
#include "mainwindow/StartAddresses.h"
#include "mainwindow/Window1.h"

#include "classlib/HTMLViewer.h"
#include "classlib/Screen.h"
#include "classlib/TextField.h"

#include "runtime/Conversions.h"

#include <algorithm>
#include <cstdint>

namespace mainwindow {

namespace {

constexpr std::int32_t kDefaultWidth = 1020;
constexpr std::int32_t kDefaultHeight = 700;
constexpr double kCentringDivisor = 2.0;

struct SavedGeometry {
    std::int32_t top, left, height, width;
};

// Some of the window lies on some screen (touching an edge is not enough),
// and it is no wider or taller than all the screens cover together, so the
// user can see it and reach its edges.
bool FitsTheScreens(const SavedGeometry& saved)
{
    const auto right = std::int64_t(saved.left) + saved.width;
    const auto bottom = std::int64_t(saved.top) + saved.height;
    bool overlapsAScreen = false;
    std::int64_t areaLeft = INT64_MAX, areaTop = INT64_MAX, areaRight = INT64_MIN, areaBottom = INT64_MIN;
    const std::int32_t screenCount = cl::ScreenCount();
    for (std::int32_t index = 0; index < screenCount; ++index) {
        rt::RefPtr<cl::ScreenInfo> screen = cl::Screen(index);
        if (!screen)
            continue;
        const auto screenRight = std::int64_t(screen->Left()) + screen->Width();
        const auto screenBottom = std::int64_t(screen->Top()) + screen->Height();
        if (saved.left < screenRight && right > screen->Left() && saved.top < screenBottom && bottom > screen->Top())
            overlapsAScreen = true;
        areaLeft = std::min<std::int64_t>(areaLeft, screen->Left());
        areaTop = std::min<std::int64_t>(areaTop, screen->Top());
        areaRight = std::max(areaRight, screenRight);
        areaBottom = std::max(areaBottom, screenBottom);
    }
    return overlapsAScreen && saved.width <= areaRight - areaLeft && saved.height <= areaBottom - areaTop;
}

// The place and size the last close saved, when the top file says there is
// one and all four files hold a window that fits the screens.
std::optional<SavedGeometry> ReadSavedGeometry(cl::Window& self)
{
    rt::RefPtr<cl::FolderItem> topFile = GeometryFileItem(self, kGeometryFiles[0].suffix);
    if (!topFile || !topFile->Exists())
        return std::nullopt;
    std::array<std::optional<std::int32_t>, kGeometryFiles.size()> values;
    for (std::size_t i = 0; i < kGeometryFiles.size(); ++i) {
        // The top file is the one just found; the others are looked up as read.
        rt::RefPtr<cl::FolderItem> file = i == 0 ? topFile : GeometryFileItem(self, kGeometryFiles[i].suffix);
        if (file)
            values[i] = ReadGeometryFile(*file);
        if (!values[i])
            return std::nullopt;
    }
    const SavedGeometry saved { *values[0], *values[1], *values[2], *values[3] };
    if (saved.width <= 0 || saved.height <= 0 || !FitsTheScreens(saved))
        return std::nullopt;
    return saved;
}

void ApplySavedGeometry(const SavedGeometry& saved)
{
    RequireWindow1()->setTop(saved.top);
    RequireWindow1()->setLeft(saved.left);
    RequireWindow1()->setHeight(saved.height);
    RequireWindow1()->setWidth(saved.width);
}

// Half the screen's extent less half the window's, in doubles, converted once.
std::int32_t Centred(std::int32_t screenExtent, std::int32_t windowExtent)
{
    const double halfScreen = rt::RuntimeCvtSInt32ToReal64(screenExtent) / kCentringDivisor;
    const double halfWindow = rt::RuntimeCvtSInt32ToReal64(windowExtent) / kCentringDivisor;
    return rt::RuntimeCvtReal64ToSInt32(halfScreen - halfWindow);
}

// 1020 × 700, centred on the first screen's full size as the window really is.
// On a screen smaller than the window, centring would put the title bar and
// the toolbar above the screen or the left edge beyond it, out of the user's
// reach: the top-left corner stays on the screen and the rest hangs over.
void ApplyDefaultGeometry(cl::Window& self)
{
    RequireWindow1()->setWidth(kDefaultWidth);
    RequireWindow1()->setHeight(kDefaultHeight);
    const rt::RefPtr<cl::ScreenInfo> first = cl::Screen(0);
    const cl::ScreenInfo& screen = rt::RequireNonNil(first, "screen 0");
    self.setLeft(std::max(Centred(screen.Width(), self.Width()), screen.Left()));
    self.setTop(std::max(Centred(screen.Height(), self.Height()), screen.Top()));
}

} // namespace

void Event_Open(cl::Window& self)
{
    // The prefix of the geometry files' names, where reading and writing them
    // look for it.
    ControlNamed<cl::TextField>(self, "TextField1")->setText(kGeometryFilePrefix);

    // The place and size the last close saved, when they are sound, else the
    // default ones.
    if (auto saved = ReadSavedGeometry(self))
        ApplySavedGeometry(*saved);
    else
        ApplyDefaultGeometry(self);

    // The start page.
    ControlNamed<cl::HTMLViewer>(self, "HTMLViewer1")->LoadURL(kFacebookStartAddress);

    // The page view, sized to the window as it now is.
    ControlNamed<cl::HTMLViewer>(self, "HTMLViewer1")->setWidth(Minus(self.Width(), 10));
    ControlNamed<cl::HTMLViewer>(self, "HTMLViewer1")->setHeight(Minus(self.Height(), 50));
}

} // namespace mainwindow
