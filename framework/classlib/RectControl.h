#pragma once

#include "Control.h"

#include "platform/NativeControl.h"
#include "platform/NativeWindow.h"

#include <array>
#include <memory>

namespace cl {

// A control with a rectangle in its window. Like the window, it owns its state
// and pushes it to its native control once that exists.
class RectControl : public Control {
public:
    explicit RectControl(rt::ClassRecord& record) : Control(record) { }

    static rt::ClassRecord& Lookup();
    static void ctblinit();

    std::int32_t Left() const { return m_rect[0]; }
    std::int32_t Top() const { return m_rect[1]; }
    std::int32_t Width() const { return m_rect[2]; }
    std::int32_t Height() const { return m_rect[3]; }
    void setLeft(std::int32_t value) { setRect(0, value); }
    void setTop(std::int32_t value) { setRect(1, value); }
    void setWidth(std::int32_t value) { setRect(2, value); }
    void setHeight(std::int32_t value) { setRect(3, value); }

    bool LockLeft() const { return m_lockLeft; }
    void setLockLeft(bool value) { m_lockLeft = value; }
    bool LockTop() const { return m_lockTop; }
    void setLockTop(bool value) { m_lockTop = value; }
    bool LockRight() const { return m_lockRight; }
    void setLockRight(bool value) { m_lockRight = value; }
    bool LockBottom() const { return m_lockBottom; }
    void setLockBottom(bool value) { m_lockBottom = value; }
    std::int32_t TabIndex() const { return m_tabIndex; }
    void setTabIndex(std::int32_t value) { m_tabIndex = value; }
    bool TabStop() const { return m_tabStop; }
    void setTabStop(bool value) { m_tabStop = value; }
    void setInitialParent(const rt::String& value) { m_initialParent = value; } // write-only
    bool Visible() const { return m_visible; }
    void setVisible(bool);
    rt::String HelpTag() const { return m_helpTag; }
    void setHelpTag(const rt::String&);
    bool AutoDeactivate() const { return m_autoDeactivate; }
    void setAutoDeactivate(bool value) { m_autoDeactivate = value; }
    bool Enabled() const { return m_enabled; }
    void setEnabled(bool);

    platform::NativeControl* native() const { return m_native.get(); }

    // Makes the native control in the control's window and gives it the
    // control's state.
    static void Constructor(RectControl&);
    static void AddMenuHandler(RectControl&, const rt::String& itemName, rt::Routine);

    void detachFromWindow() override;

protected:
    virtual std::unique_ptr<platform::NativeControl> createNative(platform::NativeWindow&) = 0;
    // Gives a new native control the subclass's own state.
    virtual void pushStateToNative() { }

    template <class Native>
    Native* nativeAs() const
    {
        return static_cast<Native*>(m_native.get());
    }

private:
    void setRect(std::size_t index, std::int32_t value);
    void pushGeometry();

    std::array<std::int32_t, 4> m_rect {};
    bool m_lockLeft = true;
    bool m_lockTop = true;
    bool m_lockRight = false;
    bool m_lockBottom = false;
    std::int32_t m_tabIndex = 0;
    bool m_tabStop = true;
    rt::String m_initialParent;
    bool m_visible = true;
    rt::String m_helpTag;
    bool m_autoDeactivate = true;
    bool m_enabled = true;
    std::unique_ptr<platform::NativeControl> m_native;
};

} // namespace cl
