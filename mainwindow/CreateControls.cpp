#include "mainwindow/Window1.h"

namespace mainwindow {

void CreateControls(cl::Window& self)
{
    // The window is held while its controls are built, so nothing the builder
    // runs can end it part-way; the hold goes however the routine ends.
    auto selfReference = rt::RuntimeLockObject(self);
    // The class's control builder, reached through its operation slot.
    rt::CallVirtual<void (*)(cl::Window&)>(self, CreateControls0Slot);
}

} // namespace mainwindow
