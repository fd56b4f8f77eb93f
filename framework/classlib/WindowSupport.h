#pragma once

#include "Control.h"
#include "Window.h"

#include "runtime/Object.h"

#include <map>
#include <string>
#include <vector>

namespace cl {

// The framework's list of open windows.
class WindowList final : public rt::RefCounted {
public:
    std::vector<rt::Ref<Window>> windows;
};

// The implicit instance of each window class, by class name.
class ImplicitWindowList final : public rt::RefCounted {
public:
    std::map<std::string, rt::Ref<Window>, std::less<>> byClassName;
};

// Module-level references, nil until initialised and after finalisation.
extern rt::RefPtr<WindowList> Windows;
extern rt::RefPtr<ImplicitWindowList> ImplicitWindows;

// Creates the window list empty.
void Windows_Init();

void RegisterOpenWindow(Window&);
void UnregisterOpenWindow(Window&);
void RegisterImplicitWindow(Window&);
// Removes the class's entry only while it still names this window.
void UnregisterImplicitWindow(Window&);

// The implicit instance of the class of that name, nil when there is none.
rt::RefPtr<Window> FindImplicitWindow(const rt::String& className);
// The window's control of that name, letter case aside; nil when there is none.
rt::RefPtr<Control> WindowControlByName(Window&, const rt::String& name);

// The first step of a control's handler: the control the event came from stays
// `me`, and the handler works on its window (`me` itself when a window raised
// the event).
rt::Ref<Window> WindowOfEventSource(rt::Object& me);

} // namespace cl
