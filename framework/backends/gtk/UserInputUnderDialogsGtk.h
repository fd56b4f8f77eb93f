#pragma once

#include "GObjectHandleGtk.h"

#include <gtk/gtk.h>

#include <functional>

namespace platform::gtk {

class NativeWindowGtk;

// Under a modal dialog's input grab GTK drops what the user does in any other
// window: a close request, or a click on a toolbar button. A page's print
// dialog would then hold the user's toolbar and close button until answered.
// While it lives, this is GDK's event handler, and passes such a close or
// click on to the window it was meant for, which cancels its dialog first.
class UserInputUnderDialogsGtk {
public:
    // `windowOf` names the program's window shown as a toplevel, if any.
    explicit UserInputUnderDialogsGtk(std::function<NativeWindowGtk*(GtkWidget* toplevel)> windowOf);
    UserInputUnderDialogsGtk(const UserInputUnderDialogsGtk&) = delete;
    UserInputUnderDialogsGtk& operator=(const UserInputUnderDialogsGtk&) = delete;
    ~UserInputUnderDialogsGtk();

private:
    static void dispatch(GdkEvent* event, gpointer self);
    bool passedOn(GdkEvent* event);

    std::function<NativeWindowGtk*(GtkWidget* toplevel)> m_windowOf;
    GObjectHandle<GtkWidget> m_pressed; // the button a click under a dialog began on
};

} // namespace platform::gtk
