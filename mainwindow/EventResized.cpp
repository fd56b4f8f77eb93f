#include "mainwindow/ControlLookup.h"
#include "mainwindow/LayoutDistances.h"
#include "mainwindow/PixelArithmetic.h"
#include "mainwindow/Window1.h"

#include "classlib/BevelButton.h"
#include "classlib/HTMLViewer.h"
#include "classlib/Separator.h"

namespace mainwindow {

namespace {

constexpr std::int32_t kFloor = 500;

enum class Pass { First, AfterFloor };

// The controls that follow the window's size: the page view, the "?" button
// and the separator. After a floor was applied the view stops short of the
// right edge; the size the floor set raises one more run once the handler
// has returned, and that run gives the view the full width.
void FitControlsToWindow(cl::Window& self, Pass pass)
{
    ControlNamed<cl::HTMLViewer>(self, "HTMLViewer1")
        ->setWidth(pass == Pass::First ? self.Width() : Minus(self.Width(), kPageViewWidthShortfall));
    ControlNamed<cl::HTMLViewer>(self, "HTMLViewer1")->setHeight(Minus(self.Height(), kPageViewHeightShortfall));
    ControlNamed<cl::BevelButton>(self, "BevelButton5")->setLeft(Minus(self.Width(), kHelpButtonFromRight));
    ControlNamed<cl::Separator>(self, "Separator1")->setWidth(self.Width());
}

} // namespace

void Event_Resized(cl::Window& self)
{
    // The controls follow the size as it is, even below the floor.
    FitControlsToWindow(self, Pass::First);

    // A window narrower than the floor is widened to it and laid out again.
    if (RequireWindow1()->Width() < kFloor) {
        RequireWindow1()->setWidth(kFloor);
        FitControlsToWindow(self, Pass::AfterFloor);
    }

    // A window shorter than the floor is made as tall and laid out again.
    if (RequireWindow1()->Height() < kFloor) {
        RequireWindow1()->setHeight(kFloor);
        FitControlsToWindow(self, Pass::AfterFloor);
    }
}

} // namespace mainwindow
