#include "WindowSupport.h"

#include "runtime/Exceptions.h"

#include <algorithm>

namespace cl {

rt::RefPtr<WindowList> Windows;
rt::RefPtr<ImplicitWindowList> ImplicitWindows;

void Windows_Init()
{
    Windows = rt::makeRef<WindowList>();
}

void RegisterOpenWindow(Window& window)
{
    if (!Windows)
        Windows_Init();
    Windows->windows.emplace_back(window);
}

void UnregisterOpenWindow(Window& window)
{
    if (!Windows)
        return;
    std::erase_if(Windows->windows, [&](const rt::Ref<Window>& open) { return open.ptr() == &window; });
}

void RegisterImplicitWindow(Window& window)
{
    if (!ImplicitWindows)
        ImplicitWindows = rt::makeRef<ImplicitWindowList>();
    ImplicitWindows->byClassName.try_emplace(window.classRecord().name.str(), window);
}

void UnregisterImplicitWindow(Window& window)
{
    if (!ImplicitWindows)
        return;
    auto entry = ImplicitWindows->byClassName.find(window.classRecord().name.view());
    if (entry != ImplicitWindows->byClassName.end() && entry->second.ptr() == &window)
        ImplicitWindows->byClassName.erase(entry);
}

rt::RefPtr<Window> FindImplicitWindow(const rt::String& className)
{
    if (!ImplicitWindows)
        return nullptr;
    auto entry = ImplicitWindows->byClassName.find(className.view());
    if (entry == ImplicitWindows->byClassName.end())
        return nullptr;
    return rt::RefPtr<Window>(entry->second.ptr());
}

rt::RefPtr<Control> WindowControlByName(Window& window, const rt::String& name)
{
    return window.controlNamed(name.view());
}

rt::Ref<Window> WindowOfEventSource(rt::Object& me)
{
    if (auto* window = dynamic_cast<Window*>(&me))
        return rt::Ref<Window>(*window);
    auto* control = dynamic_cast<Control*>(&me);
    if (!control)
        rt::Raise<rt::RuntimeException>("the event did not come from a control");
    auto owner = control->OwnerWindow();
    return rt::Ref<Window>(rt::RequireNonNil(owner, "the control's window"));
}

} // namespace cl
