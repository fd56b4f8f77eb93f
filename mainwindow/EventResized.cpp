#include "mainwindow/ControlLookup.h"
#include "mainwindow/PixelArithmetic.h"
#include "mainwindow/Window1.h"

#include "classlib/BevelButton.h"
#include "classlib/HTMLViewer.h"
#include "classlib/Separator.h"

namespace mainwindow {

namespace {

constexpr std::int32_t kFloor = 500;

enum class Pass { First, AfterFloor };

// L1 to L4: the page view, the "?" button and the separator follow the
// window's size. After a floor was applied the view stops 10 pixels short of
// the right edge.
void LayOut(cl::Window& self, Pass pass)
{
    ControlNamed<cl::HTMLViewer>(self, "HTMLViewer1")->setWidth(pass == Pass::First ? self.Width() : Minus(self.Width(), 10));
    ControlNamed<cl::HTMLViewer>(self, "HTMLViewer1")->setHeight(Minus(self.Height(), 50));
    ControlNamed<cl::BevelButton>(self, "BevelButton5")->setLeft(Minus(self.Width(), 46));
    ControlNamed<cl::Separator>(self, "Separator1")->setWidth(self.Width());
}

} // namespace

void Event_Resized(cl::Window& self)
{
    // Pass 1, on the size as it is, even below the floor.
    LayOut(self, Pass::First);

    // The width floor, then pass 2.
    if (RequireWindow1()->Width() < kFloor) {
        RequireWindow1()->setWidth(kFloor);
        LayOut(self, Pass::AfterFloor);
    }

    // The height floor, then pass 3.
    if (RequireWindow1()->Height() < kFloor) {
        RequireWindow1()->setHeight(kFloor);
        LayOut(self, Pass::AfterFloor);
    }
}

} // namespace mainwindow
