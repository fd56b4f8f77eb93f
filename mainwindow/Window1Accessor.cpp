#include "mainwindow/Window1.h"

#include "classlib/WindowSupport.h"

#include "runtime/Exceptions.h"

namespace mainwindow {

rt::RefPtr<cl::Window> Window1()
{
    // 1. The window registered under the class's name.
    rt::RefPtr<cl::Window> window = cl::FindImplicitWindow(kWindow1ClassName);

    // 2. None: a new one, built by its constructor. The framework holds it from
    //    here on, so the reference from its creation goes at the end.
    if (!window) {
        rt::Ref<rt::Object> created = rt::RuntimeNewObject(Window1_Lookup());
        auto& newWindow = dynamic_cast<cl::Window&>(created.get());
        rt::CallVirtual<void (*)(cl::Window&)>(newWindow, cl::Window::ConstructorSlot);
        window = &newWindow;
    }

    // 3. As a Window1.
    return rt::RefPtr<cl::Window>(
        dynamic_cast<cl::Window*>(rt::RuntimeCheckCast(window.get(), Window1_Lookup()).get()));
}

rt::Ref<cl::Window> RequireWindow1()
{
    auto window = Window1();
    return rt::Ref<cl::Window>(rt::RequireNonNil(window, "the main window"));
}

} // namespace mainwindow
