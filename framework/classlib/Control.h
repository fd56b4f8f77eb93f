#pragma once

#include "MenuHandlers.h"

#include "runtime/ClassRecord.h"
#include "runtime/Object.h"

#include <string_view>
#include <utility>
#include <vector>

namespace cl {

class Window;

// Anything a window holds by name. The window owns its controls; a control
// only knows its window while it is in it.
class Control : public rt::Object {
public:
    explicit Control(rt::ClassRecord& record) : rt::Object(record) { }

    static rt::ClassRecord& Lookup();
    static void ctblinit();

    rt::String Name() const { return m_name; }
    void setName(const rt::String& name) { m_name = name; }
    std::int32_t Index() const { return m_index; }
    void setIndex(std::int32_t value) { m_index = value; }
    std::int32_t TabPanelIndex() const { return m_tabPanelIndex; }
    void setTabPanelIndex(std::int32_t value) { m_tabPanelIndex = value; }

    // The window the control is in; nil once the window has closed.
    rt::RefPtr<Window> OwnerWindow() const;
    void attachToWindow(Window* window) { m_window = window; }
    virtual void detachFromWindow();

    // Menu items this control answers: the routine gets the control and says
    // whether it handled the item.
    void addMenuHandler(const rt::String& itemName, rt::Routine handler);
    bool handleMenuItem(std::string_view itemName);

private:
    rt::String m_name;
    std::int32_t m_index = 0;
    std::int32_t m_tabPanelIndex = 0;
    Window* m_window = nullptr; // the window owns the control, not the reverse
    MenuHandlers m_menuHandlers;
};

} // namespace cl
