#include "mainwindow/ControlLookup.h"
#include "mainwindow/DesignedProperties.h"
#include "mainwindow/Window1.h"

#include "classlib/BevelButton.h"
#include "classlib/HTMLViewer.h"
#include "classlib/Separator.h"
#include "classlib/SetProperties.h"
#include "classlib/TextField.h"

#include "runtime/Invokers.h"

namespace mainwindow {

namespace {

enum class Kind { TextField, HTMLViewer, Separator, BevelButton };

struct DesignedControl {
    const char* name;
    Kind kind;
    const PropertyBlock& block;
};

// The eleven controls in creation order.
const DesignedControl kControls[] = {
    { "TextField1", Kind::TextField, kTextField1Block },
    { "HTMLViewer2", Kind::HTMLViewer, kHTMLViewer2Block },
    { "Separator1", Kind::Separator, kSeparator1Block },
    { "BevelButton1", Kind::BevelButton, kBevelButton1Block },
    { "BevelButton2", Kind::BevelButton, kBevelButton2Block },
    { "BevelButton3", Kind::BevelButton, kBevelButton3Block },
    { "BevelButton4", Kind::BevelButton, kBevelButton4Block },
    { "BevelButton5", Kind::BevelButton, kBevelButton5Block },
    { "BevelButton6", Kind::BevelButton, kBevelButton6Block },
    { "BevelButton7", Kind::BevelButton, kBevelButton7Block },
    { "HTMLViewer1", Kind::HTMLViewer, kHTMLViewer1Block },
};

using EditAction = bool (*)(rt::Object&);

struct EditMenuHandler {
    const char* itemName;
    EditAction action;
};

// Both viewers register these, in this order.
const EditMenuHandler kEditMenuHandlers[] = {
    { "EditClear", &cl::HTMLViewer::EditClear_Action },
    { "EditCopy", &cl::HTMLViewer::EditCopy_Action },
    { "EditCut", &cl::HTMLViewer::EditCut_Action },
    { "EditPaste", &cl::HTMLViewer::EditPaste_Action },
    { "EditSelectAll", &cl::HTMLViewer::EditSelectAll_Action },
};
constexpr const char* kEditMenuSignature = "(  ) as Boolean";

struct EventHandler {
    const char* control;
    const char* eventName;
    std::size_t windowSlot;
    const char* signature;
    rt::DelegateInvokerFunction invoker;
};

using CancelLoad = bool (*)(rt::Object&, const rt::String&);
using Action = void (*)(rt::Object&);
using NewWindow = rt::RefPtr<cl::HTMLViewer> (*)(rt::Object&);
using DocumentComplete = void (*)(rt::Object&, const rt::String&);

// The window's handlers of its controls' events, in installation order.
const EventHandler kEventHandlers[] = {
    { "HTMLViewer2", "CancelLoad", HTMLViewer2_CancelLoadSlot, "( String ) as Boolean",
        rt::BoundDelegateInvoke<CancelLoad> },
    { "BevelButton1", "Action", BevelButton1_ActionSlot, "(  )", rt::BoundDelegateInvoke<Action> },
    { "BevelButton2", "Action", BevelButton2_ActionSlot, "(  )", rt::BoundDelegateInvoke<Action> },
    { "BevelButton3", "Action", BevelButton3_ActionSlot, "(  )", rt::BoundDelegateInvoke<Action> },
    { "BevelButton4", "Action", BevelButton4_ActionSlot, "(  )", rt::BoundDelegateInvoke<Action> },
    { "BevelButton5", "Action", BevelButton5_ActionSlot, "(  )", rt::BoundDelegateInvoke<Action> },
    { "BevelButton6", "Action", BevelButton6_ActionSlot, "(  )", rt::BoundDelegateInvoke<Action> },
    { "BevelButton7", "Action", BevelButton7_ActionSlot, "(  )", rt::BoundDelegateInvoke<Action> },
    { "HTMLViewer1", "NewWindow", HTMLViewer1_NewWindowSlot, "(  ) as HTMLViewer", rt::BoundDelegateInvoke<NewWindow> },
    { "HTMLViewer1", "DocumentComplete", HTMLViewer1_DocumentCompleteSlot, "( String )",
        rt::BoundDelegateInvoke<DocumentComplete> },
};

rt::ClassRecord& ClassOf(Kind kind)
{
    switch (kind) {
    case Kind::TextField:
        return cl::TextField::Lookup();
    case Kind::HTMLViewer:
        return cl::HTMLViewer::Lookup();
    case Kind::Separator:
        return cl::Separator::Lookup();
    case Kind::BevelButton:
        return cl::BevelButton::Lookup();
    }
    return cl::RectControl::Lookup();
}

void CreateControl(cl::Window& window, const DesignedControl& design)
{
    // A new control of the design's class, made by the window, constructed and
    // added under its name. The window holds it from then on, so the reference
    // from its creation goes with this block and each later step reaches the
    // control afresh by its name, cast to its class.
    {
        rt::Ref<cl::Control> control = rt::CallVirtual<rt::Ref<cl::Control> (*)(cl::Window&, rt::ClassRecord&)>(
            window, cl::Window::NewSlot, ClassOf(design.kind));
        cl::RectControl::Constructor(dynamic_cast<cl::RectControl&>(control.get()));
        rt::CallVirtual<void (*)(cl::Window&, const rt::String&, cl::Control&)>(
            window, cl::Window::AddControlSlot, rt::String(design.name), control.get());
    }

    // The text unit, which the designed blocks don't carry, set before them.
    if (design.kind == Kind::TextField)
        ControlNamed<cl::TextField>(window, design.name)->setTextUnit(cl::FontUnits::Default);
    if (design.kind == Kind::BevelButton)
        ControlNamed<cl::BevelButton>(window, design.name)->setTextUnit(cl::FontUnits::Default);

    // The designed properties.
    cl::SetProperties(ControlNamed<cl::RectControl>(window, design.name), design.block.bytes());

    // The viewers' Edit-menu handlers.
    if (design.kind == Kind::HTMLViewer) {
        for (const auto& item : kEditMenuHandlers) {
            rt::Ref<cl::HTMLViewer> viewer = ControlNamed<cl::HTMLViewer>(window, design.name);
            rt::Ref<cl::HTMLViewer> owner = ControlNamed<cl::HTMLViewer>(window, design.name);
            rt::RefPtr<rt::Delegate> delegate = rt::RuntimeCreateDelegate(
                rt::BoundDelegateInvoke<EditAction>, item.action, owner.ptr(), kEditMenuSignature);
            cl::RectControl::AddMenuHandler(viewer, item.itemName, delegate ? delegate->routine : rt::Routine());
        }
    }

    // The window's handlers of the control's events.
    for (const auto& handler : kEventHandlers) {
        if (std::string_view(handler.control) != design.name)
            continue;
        rt::Ref<cl::RectControl> control = ControlNamed<cl::RectControl>(window, design.name);
        rt::RefPtr<rt::Delegate> delegate = rt::RuntimeCreateDelegate(
            handler.invoker, window.classRecord().vtable.at(handler.windowSlot), &window, handler.signature);
        rt::RuntimeInstallInstanceEventHandler(
            control, handler.eventName, delegate ? delegate->routine : rt::Routine());
    }
}

} // namespace

void CreateControls0(cl::Window& self)
{
    auto selfReference = rt::RuntimeLockObject(self);
    for (const auto& design : kControls)
        CreateControl(self, design);
}

} // namespace mainwindow
