#include "RectControl.h"

#include "ClassDefinition.h"
#include "Window.h"

namespace cl {

namespace {
rt::ClassRecord* s_ctbl = nullptr;
}

rt::ClassRecord& RectControl::Lookup()
{
    return LookupBuilt(s_ctbl, &ctblinit);
}

void RectControl::ctblinit()
{
    if (s_ctbl)
        return;
    std::vector<rt::PropertyEntry> properties {
        Property<&RectControl::Left, &RectControl::setLeft>("Left"),
        Property<&RectControl::Top, &RectControl::setTop>("Top"),
        Property<&RectControl::Width, &RectControl::setWidth>("Width"),
        Property<&RectControl::Height, &RectControl::setHeight>("Height"),
        Property<&RectControl::LockLeft, &RectControl::setLockLeft>("LockLeft"),
        Property<&RectControl::LockTop, &RectControl::setLockTop>("LockTop"),
        Property<&RectControl::LockRight, &RectControl::setLockRight>("LockRight"),
        Property<&RectControl::LockBottom, &RectControl::setLockBottom>("LockBottom"),
        Property<&RectControl::TabIndex, &RectControl::setTabIndex>("TabIndex"),
        Property<&RectControl::TabStop, &RectControl::setTabStop>("TabStop"),
        WriteOnlyProperty<&RectControl::setInitialParent>("InitialParent"),
        Property<&RectControl::Visible, &RectControl::setVisible>("Visible"),
        Property<&RectControl::HelpTag, &RectControl::setHelpTag>("HelpTag"),
        Property<&RectControl::AutoDeactivate, &RectControl::setAutoDeactivate>("AutoDeactivate"),
        Property<&RectControl::Enabled, &RectControl::setEnabled>("Enabled"),
    };
    NewLibraryClass(s_ctbl,
        { .name = "RectControl",
            .parent = &Control::Lookup(),
            .instanceSize = 120,
            .properties = std::move(properties) });
}

void RectControl::setRect(std::size_t index, std::int32_t value)
{
    m_rect[index] = value;
    pushGeometry();
}

void RectControl::pushGeometry()
{
    if (m_native)
        m_native->setGeometry({ m_rect[0], m_rect[1], m_rect[2], m_rect[3] });
}

void RectControl::setVisible(bool value)
{
    m_visible = value;
    if (m_native)
        m_native->setVisible(value);
}

void RectControl::setHelpTag(const rt::String& value)
{
    m_helpTag = value;
    if (m_native)
        m_native->setTooltip(value.view());
}

void RectControl::setEnabled(bool value)
{
    m_enabled = value;
    if (m_native)
        m_native->setEnabled(value);
}

void RectControl::Constructor(RectControl& control)
{
    auto owner = control.OwnerWindow();
    auto& window = rt::RequireNonNil(owner, "the control's window");
    if (!window.native())
        rt::Raise<rt::NilObjectException>("the control's window has no native window");
    control.m_native = control.createNative(*window.native());
    control.pushGeometry();
    control.m_native->setVisible(control.m_visible);
    control.m_native->setEnabled(control.m_enabled);
    control.m_native->setTooltip(control.m_helpTag.view());
    control.pushStateToNative();
}

void RectControl::AddMenuHandler(RectControl& control, const rt::String& itemName, rt::Routine handler)
{
    control.addMenuHandler(itemName, handler);
}

void RectControl::detachFromWindow()
{
    m_native.reset();
    Control::detachFromWindow();
}

} // namespace cl
