#pragma once

#include "MenuHandlers.h"

#include "runtime/ClassRecord.h"
#include "runtime/Color.h"
#include "runtime/Object.h"

#include "platform/NativeWindow.h"

#include <array>
#include <memory>
#include <vector>

namespace cl {

class Control;

// The framework's window. It owns its state: a value set is the value read at
// once, and the native window is told of it. The native side reports what the
// user does, and the window raises its events through its class's event table.
class Window : public rt::Object, private platform::NativeWindowClient {
public:
    explicit Window(rt::ClassRecord& record);
    ~Window() override;

    static rt::ClassRecord& Lookup();
    static void ctblinit();

    static constexpr int kOperationCount = 50;
    static constexpr int kInstanceSize = 200;
    // A subclass's record keeps room for Window's members ahead of its own:
    // 130 member records, 72 of them property accessors that take one more
    // place each. This class library describes none of them by member record,
    // so those places stay empty. It counts Window's 47 properties too.
    static constexpr int kInheritedMemberPlaces = 130 + 72;
    static constexpr int kInheritedPropertyCount = 47;

    // Operation slots the framework itself calls through. Window.cpp checks
    // each against the routine its name promises.
    enum Slot : std::size_t {
        CloseSlot = 4,
        AddControlSlot = 19,
        NewSlot = 23,
        UnifiedCloseSlot = 34,
        CallResizedSlot = 36,
        ConstructorSlot = 46
    };

    // The window's events, in the order of its class's event table; Window.cpp
    // names each beside its index.
    enum Event : std::size_t {
        LayoutEvent,
        CreateControlsEvent,
        AddMenuHandlersEvent,
        SetupBindingsEvent,
        OpenEvent,
        CloseEvent,
        CancelCloseEvent,
        KeyDownEvent,
        KeyUpEvent,
        MouseMoveEvent,
        MouseEnterEvent,
        MouseExitEvent,
        PaintEvent,
        MouseDownEvent,
        MouseDragEvent,
        MouseUpEvent,
        EnableMenuItemsEvent,
        ResizedEvent,
        ResizingEvent,
        MovedEvent,
        DropObjectEvent,
        ActivateEvent,
        DeactivateEvent,
        MinimizeEvent,
        MaximizeEvent,
        RestoreEvent,
        MouseWheelEvent,
        ConstructContextualMenuEvent,
        ContextualMenuActionEvent,
        DragEnterEvent,
        DragExitEvent,
        DragOverEvent,
        ContentsChangedEvent
    };
    static constexpr int kEventCount = ContentsChangedEvent + 1;

    // Left, Top, Width and Height share one accessor, selected in this order.
    // A size the program sets raises "Resized" once the running handler has
    // returned, however many writes it made; see resizeSetByProgram.
    enum Bound : std::size_t { LeftBound, TopBound, WidthBound, HeightBound };
    std::int32_t Bounds(Bound) const;
    void setBounds(Bound, std::int32_t);

    std::int32_t Left() const { return Bounds(LeftBound); }
    std::int32_t Top() const { return Bounds(TopBound); }
    std::int32_t Width() const { return Bounds(WidthBound); }
    std::int32_t Height() const { return Bounds(HeightBound); }
    void setLeft(std::int32_t value) { setBounds(LeftBound, value); }
    void setTop(std::int32_t value) { setBounds(TopBound, value); }
    void setWidth(std::int32_t value) { setBounds(WidthBound, value); }
    void setHeight(std::int32_t value) { setBounds(HeightBound, value); }

    std::int32_t Placement() const { return m_placement; }
    void setPlacement(std::int32_t value) { m_placement = value; }
    std::int32_t MinWidth() const { return m_minWidth; }
    void setMinWidth(std::int32_t);
    std::int32_t MinHeight() const { return m_minHeight; }
    void setMinHeight(std::int32_t);
    std::int32_t MaxWidth() const { return m_maxWidth; }
    void setMaxWidth(std::int32_t);
    std::int32_t MaxHeight() const { return m_maxHeight; }
    void setMaxHeight(std::int32_t);
    std::int32_t Frame() const { return m_frame; }
    void setFrame(std::int32_t value) { m_frame = value; }
    bool Composite() const { return m_composite; }
    void setComposite(bool value) { m_composite = value; }
    bool HasBackColor() const { return m_hasBackColor; }
    void setHasBackColor(bool);
    rt::Color BackColor() const { return m_backColor; }
    void setBackColor(rt::Color);
    rt::String Title() const { return m_title; }
    void setTitle(const rt::String&);
    bool Visible() const { return m_visible; }
    void setVisible(bool);
    bool FullScreen() const { return m_fullScreen; }
    void setFullScreen(bool);
    bool MenuBarVisible() const { return m_menuBarVisible; }
    void setMenuBarVisible(bool value) { m_menuBarVisible = value; }
    bool CloseButton() const { return m_closeButton; }
    void setCloseButton(bool);
    bool Resizeable() const { return m_resizeable; }
    void setResizeable(bool);
    bool LiveResize() const { return m_liveResize; }
    void setLiveResize(bool value) { m_liveResize = value; }
    bool MaximizeButton() const { return m_maximizeButton; }
    void setMaximizeButton(bool value) { m_maximizeButton = value; }
    bool MinimizeButton() const { return m_minimizeButton; }
    void setMinimizeButton(bool value) { m_minimizeButton = value; }
    std::int32_t MacProcId() const { return m_macProcId; }
    void setMacProcId(std::int32_t value) { m_macProcId = value; }
    bool ContentsChanged() const { return m_contentsChanged; }
    void setContentsChanged(bool value) { m_contentsChanged = value; }

    // The controls in the order they were added, each under its name.
    struct ControlEntry {
        rt::String name;
        rt::Ref<Control> control;
    };
    const std::vector<ControlEntry>& controls() const { return m_controls; }
    rt::RefPtr<Control> controlNamed(std::string_view name) const;

    // The native window; null before construction and after closing.
    platform::NativeWindow* native() const { return m_native.get(); }
    bool isClosed() const { return m_closed; }

    // The window's operations, as its class's operation table holds them.
    static void Show(Window&);
    static void Hide(Window&);
    static void Close(Window&);
    static void Refresh(Window&);
    static rt::RefPtr<Control> ControlAt(Window&, std::int32_t index);
    static void SetFocus(Window&);
    static void AddControl(Window&, const rt::String& name, Control&);
    static void AddMenuHandler(Window&, const rt::String& itemName, rt::Routine);
    static rt::Ref<Control> New(Window&, rt::ClassRecord& controlClass);
    static void Move(Window&, std::int32_t left, std::int32_t top);
    static void Maximize(Window&);
    static void Minimize(Window&);
    static void Restore(Window&);
    static void CallMoved(Window&);
    static void CallActivated(Window&);
    static void CallDeactivated(Window&);
    static void EnableMenuItems(Window&);
    static bool HandleMenuCommand(Window&, const rt::String& itemName);
    static void UnifiedClose(Window&);
    static void CallResized(Window&);
    static void CallResizing(Window&);
    static void RemoveControl(Window&, Control&);
    static void Constructor(Window&);
    static rt::Ref<Window> TrueWindow(Window&);

private:
    void resizeSetByProgram();
    void raiseDueResized();
    void pushStateToNative();
    void pushSizeLimits();
    void pushBackground();

    void nativeWindowResized(std::int32_t width, std::int32_t height) override;
    void nativeWindowMoved(std::int32_t left, std::int32_t top) override;
    void nativeWindowCloseRequested() override;

    std::array<std::int32_t, 4> m_bounds {};
    std::int32_t m_placement = 0;
    std::int32_t m_minWidth = 64;
    std::int32_t m_minHeight = 64;
    std::int32_t m_maxWidth = 32000;
    std::int32_t m_maxHeight = 32000;
    std::int32_t m_frame = 0;
    bool m_composite = false;
    bool m_hasBackColor = false;
    rt::Color m_backColor { 0xFF, 0xFF, 0xFF };
    rt::String m_title;
    bool m_visible = true;
    bool m_fullScreen = false;
    bool m_menuBarVisible = true;
    bool m_closeButton = true;
    bool m_resizeable = true;
    bool m_liveResize = true;
    bool m_maximizeButton = true;
    bool m_minimizeButton = true;
    std::int32_t m_macProcId = 0;
    bool m_contentsChanged = false;

    std::vector<ControlEntry> m_controls;
    MenuHandlers m_menuHandlers;
    std::unique_ptr<platform::NativeWindow> m_native;
    bool m_opened = false;
    bool m_closed = false;
    bool m_resizedDue = false;
    // Lets work posted to the loop find out whether the window still exists.
    std::shared_ptr<Window*> m_self = std::make_shared<Window*>(this);
};

} // namespace cl
