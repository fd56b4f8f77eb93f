#pragma once

#include "classlib/HTMLViewer.h"
#include "classlib/Window.h"

#include "runtime/ClassRecord.h"

namespace mainwindow {

// The main window's class: a Window with sixteen operations of its own.
rt::ClassRecord& Window1_Lookup();
void Window1_ctblinit();
inline constexpr const char* kWindow1ClassName = "Window1.Window1";

// The main window's single instance: the one registered under the class's
// name, or a new one built when none is.
rt::RefPtr<cl::Window> Window1();
// The same, for steps that can't go on without it: NilObjectException if there
// is none.
rt::Ref<cl::Window> RequireWindow1();

// Building the window. The framework raises its "Layout" event to give the
// window its designed properties, then "CreateControls" to add its controls.
void ApplyDesignedProperties(cl::Window& self);
void CreateControls(cl::Window& self);
void CreateControls0(cl::Window& self);

// The controls' events, each called with the control that raised it.
bool HTMLViewer2_CancelLoad(rt::Object& me, const rt::String& url);
void BevelButton1_Action(rt::Object& me);
void BevelButton2_Action(rt::Object& me);
void BevelButton3_Action(rt::Object& me);
void BevelButton4_Action(rt::Object& me);
void BevelButton5_Action(rt::Object& me);
void BevelButton6_Action(rt::Object& me);
void BevelButton7_Action(rt::Object& me);
rt::RefPtr<cl::HTMLViewer> HTMLViewer1_NewWindow(rt::Object& me);
void HTMLViewer1_DocumentComplete(rt::Object& me, const rt::String& url);

// The window's own events.
void Event_Resized(cl::Window& self);
void Event_Close(cl::Window& self);
void Event_Open(cl::Window& self);

// Operation slots of the class's own routines, in order after Window's.
enum Window1Slot : std::size_t {
    ApplyDesignedPropertiesSlot = cl::Window::kOperationCount,
    CreateControlsSlot,
    CreateControls0Slot,
    HTMLViewer2_CancelLoadSlot,
    BevelButton1_ActionSlot,
    BevelButton2_ActionSlot,
    BevelButton3_ActionSlot,
    BevelButton4_ActionSlot,
    BevelButton5_ActionSlot,
    BevelButton6_ActionSlot,
    BevelButton7_ActionSlot,
    HTMLViewer1_NewWindowSlot,
    HTMLViewer1_DocumentCompleteSlot,
    Event_ResizedSlot,
    Event_CloseSlot,
    Event_OpenSlot,
};
inline constexpr int kWindow1OperationCount = Event_OpenSlot + 1;

} // namespace mainwindow
