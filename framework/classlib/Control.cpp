#include "Control.h"

#include "ClassDefinition.h"
#include "EventDispatch.h"
#include "Window.h"

namespace cl {

namespace {
rt::ClassRecord* s_ctbl = nullptr;
}

rt::ClassRecord& Control::Lookup()
{
    return LookupBuilt(s_ctbl, &ctblinit);
}

void Control::ctblinit()
{
    if (s_ctbl)
        return;
    std::vector<rt::PropertyEntry> properties {
        Property<&Control::Name, &Control::setName>("Name"),
        Property<&Control::Index, &Control::setIndex>("Index"),
        Property<&Control::TabPanelIndex, &Control::setTabPanelIndex>("TabPanelIndex"),
    };
    NewLibraryClass(s_ctbl, { .name = "Control", .instanceSize = 48, .properties = std::move(properties) });
}

rt::RefPtr<Window> Control::OwnerWindow() const
{
    return rt::RefPtr<Window>(m_window);
}

void Control::detachFromWindow()
{
    m_window = nullptr;
}

void Control::addMenuHandler(const rt::String& itemName, rt::Routine handler)
{
    m_menuHandlers.add(itemName, handler);
}

bool Control::handleMenuItem(std::string_view itemName)
{
    return m_menuHandlers.handle<rt::Object>(*this, itemName);
}

} // namespace cl
