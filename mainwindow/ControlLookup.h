#pragma once

#include "classlib/Window.h"
#include "classlib/WindowSupport.h"

#include "runtime/Exceptions.h"

namespace mainwindow {

// A fresh lookup of the window's control of that name, as its class. A window
// without it raises NilObjectException, since every use needs the control.
template <class T>
rt::Ref<T> ControlNamed(cl::Window& window, const char* name)
{
    rt::RefPtr<cl::Control> control = cl::WindowControlByName(window, name);
    rt::RefPtr<T> typed = rt::RuntimeCheckCast<T>(control.get());
    if (!typed)
        rt::Raise<rt::NilObjectException>(rt::String(std::string("the window has no control ") + name));
    return rt::Ref<T>(*typed);
}

} // namespace mainwindow
