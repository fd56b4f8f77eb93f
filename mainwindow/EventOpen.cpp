#include "mainwindow/ControlLookup.h"
#include "mainwindow/GeometryFiles.h"
#include "mainwindow/LayoutDistances.h"
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

void ApplySavedGeometry(const SavedGeometry& saved)
{
    RequireWindow1()->setTop(saved.top);
    RequireWindow1()->setLeft(saved.left);
    RequireWindow1()->setHeight(saved.height);
    RequireWindow1()->setWidth(saved.width);
}

// Where the window's edge goes along one of the screen's axes: the screen's
// own edge, plus half the screen's extent less half the window's, in doubles,
// converted once.
std::int32_t CentredOn(std::int32_t screenEdge, std::int32_t screenExtent, std::int32_t windowExtent)
{
    const double halfScreen = rt::RuntimeCvtSInt32ToReal64(screenExtent) / kCentringDivisor;
    const double halfWindow = rt::RuntimeCvtSInt32ToReal64(windowExtent) / kCentringDivisor;
    return Plus(screenEdge, rt::RuntimeCvtReal64ToSInt32(halfScreen - halfWindow));
}

// 1020 × 700, centred on the first screen's full size as the window really
// is, wherever that screen lies among the others. On a screen smaller than
// the window, centring would put the title bar and the toolbar above the
// screen or the left edge beyond it, out of the user's reach: the top-left
// corner stays on the screen and the rest hangs over.
void ApplyDefaultGeometry(cl::Window& self)
{
    RequireWindow1()->setWidth(kDefaultWidth);
    RequireWindow1()->setHeight(kDefaultHeight);
    const rt::RefPtr<cl::ScreenInfo> first = cl::Screen(0);
    const cl::ScreenInfo& screen = rt::RequireNonNil(first, "screen 0");
    self.setLeft(std::max(CentredOn(screen.Left(), screen.Width(), self.Width()), screen.Left()));
    self.setTop(std::max(CentredOn(screen.Top(), screen.Height(), self.Height()), screen.Top()));
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
    ControlNamed<cl::HTMLViewer>(self, "HTMLViewer1")->setWidth(Minus(self.Width(), kPageViewWidthShortfall));
    ControlNamed<cl::HTMLViewer>(self, "HTMLViewer1")->setHeight(Minus(self.Height(), kPageViewHeightShortfall));
}

} // namespace mainwindow
