#include "mainwindow/DesignedProperties.h"
#include "mainwindow/Window1.h"

#include "classlib/SetProperties.h"

namespace mainwindow {

void ApplyDesignedProperties(cl::Window& self)
{
    auto selfReference = rt::RuntimeLockObject(self);
    cl::SetProperties(self, kWindow1Block.bytes());
}

} // namespace mainwindow
