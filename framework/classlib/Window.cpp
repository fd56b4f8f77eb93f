#include "Window.h"

#include "ClassDefinition.h"
#include "Control.h"
#include "EventDispatch.h"
#include "RectControl.h"
#include "WindowSupport.h"

#include "runtime/Exceptions.h"
#include "runtime/Runtime.h"

#include "platform/Platform.h"

#include <span>

namespace cl {

namespace {

rt::ClassRecord* s_ctbl = nullptr;

// The platform interface has a colour of its own so that backends need nothing
// from the runtime; this is where the runtime's becomes the platform's.
platform::Color NativeColor(rt::Color color)
{
    return { color.red, color.green, color.blue };
}

struct NamedEvent {
    Window::Event index;
    const char* name;
};

// The event table's names, each beside the index the program binds it by.
constexpr NamedEvent kEvents[] = { { Window::LayoutEvent, "Layout" }, { Window::CreateControlsEvent, "CreateControls" },
    { Window::AddMenuHandlersEvent, "AddMenuHandlers" }, { Window::SetupBindingsEvent, "SetupBindings" },
    { Window::OpenEvent, "Open" }, { Window::CloseEvent, "Close" }, { Window::CancelCloseEvent, "CancelClose" },
    { Window::KeyDownEvent, "KeyDown" }, { Window::KeyUpEvent, "KeyUp" }, { Window::MouseMoveEvent, "MouseMove" },
    { Window::MouseEnterEvent, "MouseEnter" }, { Window::MouseExitEvent, "MouseExit" }, { Window::PaintEvent, "Paint" },
    { Window::MouseDownEvent, "MouseDown" }, { Window::MouseDragEvent, "MouseDrag" },
    { Window::MouseUpEvent, "MouseUp" }, { Window::EnableMenuItemsEvent, "EnableMenuItems" },
    { Window::ResizedEvent, "Resized" }, { Window::ResizingEvent, "Resizing" }, { Window::MovedEvent, "Moved" },
    { Window::DropObjectEvent, "DropObject" }, { Window::ActivateEvent, "Activate" },
    { Window::DeactivateEvent, "Deactivate" }, { Window::MinimizeEvent, "Minimize" },
    { Window::MaximizeEvent, "Maximize" }, { Window::RestoreEvent, "Restore" },
    { Window::MouseWheelEvent, "MouseWheel" }, { Window::ConstructContextualMenuEvent, "ConstructContextualMenu" },
    { Window::ContextualMenuActionEvent, "ContextualMenuAction" }, { Window::DragEnterEvent, "DragEnter" },
    { Window::DragExitEvent, "DragExit" }, { Window::DragOverEvent, "DragOver" },
    { Window::ContentsChangedEvent, "ContentsChanged" } };

consteval bool EachAtItsIndex(std::span<const NamedEvent> events)
{
    for (std::size_t i = 0; i < events.size(); ++i) {
        if (events[i].index != i)
            return false;
    }
    return true;
}
static_assert(std::size(kEvents) == Window::kEventCount && EachAtItsIndex(kEvents));

std::vector<const char*> EventNames()
{
    std::vector<const char*> names;
    for (const auto& event : kEvents)
        names.push_back(event.name);
    return names;
}

void RefreshRect(Window& window, std::int32_t, std::int32_t, std::int32_t, std::int32_t)
{
    Window::Refresh(window);
}

// Nothing to gather: the framework keeps no dependency list.
void DependencyList(Window&) { }

} // namespace

rt::ClassRecord& Window::Lookup()
{
    return LookupBuilt(s_ctbl, &ctblinit);
}

void Window::ctblinit()
{
    if (s_ctbl)
        return;
    std::vector<rt::PropertyEntry> properties {
        Property<&Window::Left, &Window::setLeft>("Left"),
        Property<&Window::Top, &Window::setTop>("Top"),
        Property<&Window::Width, &Window::setWidth>("Width"),
        Property<&Window::Height, &Window::setHeight>("Height"),
        Property<&Window::Placement, &Window::setPlacement>("Placement"),
        Property<&Window::MinWidth, &Window::setMinWidth>("MinWidth"),
        Property<&Window::MinHeight, &Window::setMinHeight>("MinHeight"),
        Property<&Window::MaxWidth, &Window::setMaxWidth>("MaxWidth"),
        Property<&Window::MaxHeight, &Window::setMaxHeight>("MaxHeight"),
        Property<&Window::Frame, &Window::setFrame>("Frame"),
        Property<&Window::Composite, &Window::setComposite>("Composite"),
        Property<&Window::HasBackColor, &Window::setHasBackColor>("HasBackColor"),
        Property<&Window::BackColor, &Window::setBackColor>("BackColor"),
        Property<&Window::Title, &Window::setTitle>("Title"),
        Property<&Window::Visible, &Window::setVisible>("Visible"),
        Property<&Window::FullScreen, &Window::setFullScreen>("FullScreen"),
        Property<&Window::MenuBarVisible, &Window::setMenuBarVisible>("MenuBarVisible"),
        Property<&Window::CloseButton, &Window::setCloseButton>("CloseButton"),
        Property<&Window::Resizeable, &Window::setResizeable>("Resizeable"),
        Property<&Window::LiveResize, &Window::setLiveResize>("LiveResize"),
        Property<&Window::MaximizeButton, &Window::setMaximizeButton>("MaximizeButton"),
        Property<&Window::MinimizeButton, &Window::setMinimizeButton>("MinimizeButton"),
        Property<&Window::MacProcId, &Window::setMacProcId>("MacProcId"),
        Property<&Window::ContentsChanged, &Window::setContentsChanged>("ContentsChanged"),
    };
    auto& record = NewLibraryClass(s_ctbl,
        { .name = "Window",
            .instanceSize = kInstanceSize,
            .factory = &Make<Window>,
            .properties = std::move(properties),
            .events = EventNames() });

    // Drag and drop, modal windows, drawing and raw input have no counterpart
    // in this framework; those operations say so when called.
    static constexpr auto kOperations = std::tuple {
        &Window::Show,
        &Unsupported<"Window.ShowWithin", Window&, Window*>,
        &Unsupported<"Window.ShowModalWithin", Window&, Window*>,
        &Window::Hide,
        &Window::Close,
        &Window::Refresh,
        &RefreshRect,
        &Unsupported<"Window.ShowModal", Window&>,
        &Unsupported<"Window.NewDragItem", Window&, std::int32_t, std::int32_t, std::int32_t, std::int32_t>,
        &Unsupported<"Window.AcceptTextDrop", Window&>,
        &Unsupported<"Window.AcceptPictureDrop", Window&>,
        &Unsupported<"Window.AcceptFileDrop", Window&, const rt::String&>,
        &Unsupported<"Window.AcceptMacDataDrop", Window&, const rt::String&>,
        &Unsupported<"Window.AcceptRawDataDrop", Window&, const rt::String&>,
        &Window::ControlAt,
        &Window::SetFocus,
        &Unsupported<"Window.DrawInto", Window&, rt::Object*, std::int32_t, std::int32_t>,
        &Unsupported<"Window._DrawBackground", Window&, rt::Object*>,
        &Window::Refresh,
        &Window::AddControl,
        &Window::AddMenuHandler,
        &Window::TrueWindow,
        &Unsupported<"Window.Operator_Convert", Window&>,
        &Window::New,
        &Window::Move,
        &Window::Maximize,
        &Window::Minimize,
        &Window::Restore,
        &Window::Refresh,
        &Window::CallMoved,
        &Window::EnableMenuItems,
        &Window::CallActivated,
        &Window::CallDeactivated,
        &Window::HandleMenuCommand,
        &Window::UnifiedClose,
        &Unsupported<"Window._CallMouseDown", Window&, std::int32_t, std::int32_t>,
        &Window::CallResized,
        &Window::CallResizing,
        &Window::RemoveControl,
        &Unsupported<"Window._MouseEnter", Window&>,
        &Unsupported<"Window._MouseExit", Window&>,
        &Unsupported<"Window._MouseMove", Window&, std::int32_t, std::int32_t>,
        &Unsupported<"Window._Paint", Window&, rt::Object*>,
        &Unsupported<"Window._MouseWheel", Window&, std::int32_t, std::int32_t, std::int32_t, std::int32_t>,
        &Unsupported<"Window._KeyDown", Window&, const rt::String&>,
        &DependencyList,
        &Window::Constructor,
        &Window::TrueWindow,
        &Unsupported<"Window.FocusNext", Window&>,
        &Unsupported<"Window.FocusPrevious", Window&>,
    };
    static_assert(std::tuple_size_v<decltype(kOperations)> == kOperationCount);
    static_assert(std::get<CloseSlot>(kOperations) == &Window::Close);
    static_assert(std::get<AddControlSlot>(kOperations) == &Window::AddControl);
    static_assert(std::get<NewSlot>(kOperations) == &Window::New);
    static_assert(std::get<UnifiedCloseSlot>(kOperations) == &Window::UnifiedClose);
    static_assert(std::get<CallResizedSlot>(kOperations) == &Window::CallResized);
    static_assert(std::get<ConstructorSlot>(kOperations) == &Window::Constructor);
    record.vtable = OperationTable(kOperations);
    record.vtableCount = kOperationCount;
}

Window::Window(rt::ClassRecord& record) : rt::Object(record) { }

Window::~Window() = default;

std::int32_t Window::Bounds(Bound selector) const
{
    return m_bounds[selector];
}

void Window::setBounds(Bound selector, std::int32_t value)
{
    const bool changed = m_bounds[selector] != value;
    m_bounds[selector] = value;
    if (changed && (selector == WidthBound || selector == HeightBound))
        resizeSetByProgram();
    if (!m_native)
        return;
    if (selector == LeftBound || selector == TopBound)
        m_native->setPosition(m_bounds[LeftBound], m_bounds[TopBound]);
    else
        m_native->setSize(m_bounds[WidthBound], m_bounds[HeightBound]);
}

// The handler that changes the size is still running, and may change it
// again: "Resized" is raised from the loop once that handler has returned, so
// that a run sees the size the handler left, and a run's own writes (the
// floor in a resize handler) lead to one later run rather than to a run
// nested inside them.
void Window::resizeSetByProgram()
{
    if (m_resizedDue || !m_native)
        return;
    m_resizedDue = true;
    rt::RuntimePlatform().eventLoop().post([self = std::weak_ptr<Window*>(m_self)] {
        if (auto window = self.lock())
            (*window)->raiseDueResized();
    });
}

// Not before "Open" has returned: the controls a resize handler lays out may
// not exist yet while the window is being built.
void Window::raiseDueResized()
{
    if (!m_resizedDue || !m_opened || m_closed)
        return;
    m_resizedDue = false;
    rt::Ref<Window> protect(*this);
    CallFunctionWithExceptionHandling([&] { rt::CallVirtual<void (*)(Window&)>(*this, CallResizedSlot); });
}

void Window::setMinWidth(std::int32_t value)
{
    m_minWidth = value;
    pushSizeLimits();
}

void Window::setMinHeight(std::int32_t value)
{
    m_minHeight = value;
    pushSizeLimits();
}

void Window::setMaxWidth(std::int32_t value)
{
    m_maxWidth = value;
    pushSizeLimits();
}

void Window::setMaxHeight(std::int32_t value)
{
    m_maxHeight = value;
    pushSizeLimits();
}

void Window::pushStateToNative()
{
    m_native->setTitle(m_title.view());
    m_native->setResizable(m_resizeable);
    m_native->setCloseButton(m_closeButton);
    m_native->setFullScreen(m_fullScreen);
    pushSizeLimits();
    pushBackground();
    if (m_bounds[WidthBound] > 0 && m_bounds[HeightBound] > 0)
        m_native->setSize(m_bounds[WidthBound], m_bounds[HeightBound]);
    m_native->setPosition(m_bounds[LeftBound], m_bounds[TopBound]);
}

void Window::pushSizeLimits()
{
    if (m_native)
        m_native->setSizeLimits(m_minWidth, m_minHeight, m_maxWidth, m_maxHeight);
}

void Window::setHasBackColor(bool value)
{
    m_hasBackColor = value;
    pushBackground();
}

void Window::setBackColor(rt::Color value)
{
    m_backColor = value;
    pushBackground();
}

void Window::pushBackground()
{
    if (!m_native)
        return;
    if (m_hasBackColor)
        m_native->setBackgroundColor(NativeColor(m_backColor));
    else
        m_native->setBackgroundColor(std::nullopt);
}

void Window::setTitle(const rt::String& value)
{
    m_title = value;
    if (m_native)
        m_native->setTitle(value.view());
}

// The native window is shown when construction ends, not while the designed
// properties are still being applied.
void Window::setVisible(bool value)
{
    m_visible = value;
}

void Window::setFullScreen(bool value)
{
    m_fullScreen = value;
    if (m_native)
        m_native->setFullScreen(value);
}

void Window::setCloseButton(bool value)
{
    m_closeButton = value;
    if (m_native)
        m_native->setCloseButton(value);
}

void Window::setResizeable(bool value)
{
    m_resizeable = value;
    if (m_native)
        m_native->setResizable(value);
}

rt::RefPtr<Control> Window::controlNamed(std::string_view name) const
{
    for (const auto& entry : m_controls) {
        if (rt::EqualIgnoringASCIICase(entry.name.view(), name))
            return rt::RefPtr<Control>(entry.control.ptr());
    }
    return nullptr;
}

// Building a window: the native window, the designed properties ("Layout"),
// the controls ("CreateControls"), then "Open", and only then is it shown. The
// window is the implicit instance of its class from before its first event,
// so a handler that asks for it gets this window, not a second one.
void Window::Constructor(Window& window)
{
    rt::Ref<Window> protect(window);
    window.m_native = rt::RuntimePlatform().createWindow(window);
    window.pushStateToNative();
    RegisterOpenWindow(window);
    RegisterImplicitWindow(window);

    RaiseClassEvent(window, "Layout", false);
    RaiseClassEvent(window, "CreateControls", false);
    RaiseClassEvent(window, "Open");
    // The size "Open" gave the window is laid out before the first frame.
    window.m_opened = true;
    window.raiseDueResized();
    if (window.m_visible && window.m_native)
        window.m_native->show();
    window.m_contentsChanged = false;
}

void Window::Show(Window& window)
{
    window.m_visible = true;
    if (window.m_native)
        window.m_native->show();
}

void Window::Hide(Window& window)
{
    window.m_visible = false;
    if (window.m_native)
        window.m_native->hide();
}

void Window::Close(Window& window)
{
    rt::CallVirtual<void (*)(Window&)>(window, UnifiedCloseSlot);
}

void Window::Refresh(Window& window)
{
    if (window.m_native)
        window.m_native->refresh();
}

rt::RefPtr<Control> Window::ControlAt(Window& window, std::int32_t index)
{
    if (index < 0 || static_cast<std::size_t>(index) >= window.m_controls.size())
        return nullptr;
    return rt::RefPtr<Control>(window.m_controls[static_cast<std::size_t>(index)].control.ptr());
}

void Window::SetFocus(Window& window)
{
    if (window.m_native)
        window.m_native->focus();
}

void Window::AddControl(Window& window, const rt::String& name, Control& control)
{
    control.attachToWindow(&window);
    window.m_controls.push_back({ name, rt::Ref<Control>(control) });
}

void Window::AddMenuHandler(Window& window, const rt::String& itemName, rt::Routine handler)
{
    window.m_menuHandlers.add(itemName, handler);
}

rt::Ref<Control> Window::New(Window& window, rt::ClassRecord& controlClass)
{
    if (!controlClass.derivesFrom(Control::Lookup()))
        rt::Raise<rt::RuntimeException>(rt::String("class " + controlClass.name.str() + " is not a control"));
    rt::Ref<rt::Object> object = rt::RuntimeNewObject(controlClass);
    auto& control = static_cast<Control&>(object.get());
    control.attachToWindow(&window);
    return rt::Ref<Control>(control);
}

void Window::Move(Window& window, std::int32_t left, std::int32_t top)
{
    window.m_bounds[LeftBound] = left;
    window.setBounds(TopBound, top);
}

void Window::Maximize(Window& window)
{
    if (window.m_native)
        window.m_native->maximize();
}

void Window::Minimize(Window& window)
{
    if (window.m_native)
        window.m_native->minimize();
}

void Window::Restore(Window& window)
{
    if (window.m_native)
        window.m_native->restore();
}

void Window::CallMoved(Window& window)
{
    RaiseClassEvent(window, "Moved");
}

// The window's class brings its menu items up to date in "EnableMenuItems".
void Window::EnableMenuItems(Window& window)
{
    RaiseClassEvent(window, "EnableMenuItems");
}

void Window::CallActivated(Window& window)
{
    RaiseClassEvent(window, "Activate");
}

void Window::CallDeactivated(Window& window)
{
    RaiseClassEvent(window, "Deactivate");
}

// The window's own handlers first, then its controls' in the order added.
bool Window::HandleMenuCommand(Window& window, const rt::String& itemName)
{
    if (window.m_menuHandlers.handle(window, itemName.view()))
        return true;
    for (const auto& entry : window.m_controls) {
        if (entry.control->handleMenuItem(itemName.view()))
            return true;
    }
    return false;
}

// Closing: the class may refuse in "CancelClose"; otherwise "Close" runs while
// the window and its controls are all still in place, and only then are the
// controls closed and the window taken out of the framework's lists.
void Window::UnifiedClose(Window& window)
{
    if (window.m_closed)
        return;
    rt::Ref<Window> protect(window);
    if (const auto* entry = window.classRecord().findEvent("CancelClose")) {
        if (auto cancel = entry->handler.as<bool (*)(Window&, bool)>()) {
            bool refused = false;
            CallFunctionWithExceptionHandling([&] { refused = cancel(window, false); });
            if (refused)
                return;
        }
    }
    window.m_closed = true;
    RaiseClassEvent(window, "Close");

    for (auto& entry : window.m_controls)
        entry.control->detachFromWindow();
    window.m_controls.clear();
    UnregisterOpenWindow(window);
    UnregisterImplicitWindow(window);
    window.m_native.reset();
}

// A run raised now reads the size as it is, so it stands for a run still due.
void Window::CallResized(Window& window)
{
    window.m_resizedDue = false;
    RaiseClassEvent(window, "Resized");
}

void Window::CallResizing(Window& window)
{
    RaiseClassEvent(window, "Resizing");
}

void Window::RemoveControl(Window& window, Control& control)
{
    control.detachFromWindow();
    std::erase_if(window.m_controls, [&](const ControlEntry& entry) { return entry.control.ptr() == &control; });
}

rt::Ref<Window> Window::TrueWindow(Window& window)
{
    return rt::Ref<Window>(window);
}

void Window::nativeWindowResized(std::int32_t width, std::int32_t height)
{
    if (width == m_bounds[WidthBound] && height == m_bounds[HeightBound])
        return;
    m_bounds[WidthBound] = width;
    m_bounds[HeightBound] = height;
    CallFunctionWithExceptionHandling([&] { rt::CallVirtual<void (*)(Window&)>(*this, CallResizedSlot); });
}

void Window::nativeWindowMoved(std::int32_t left, std::int32_t top)
{
    if (left == m_bounds[LeftBound] && top == m_bounds[TopBound])
        return;
    m_bounds[LeftBound] = left;
    m_bounds[TopBound] = top;
    CallMoved(*this);
}

void Window::nativeWindowCloseRequested()
{
    CallFunctionWithExceptionHandling([&] { rt::CallVirtual<void (*)(Window&)>(*this, UnifiedCloseSlot); });
}

} // namespace cl
