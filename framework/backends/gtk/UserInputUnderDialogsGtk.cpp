#include "UserInputUnderDialogsGtk.h"

#include "NativeWindowGtk.h"

#include <utility>

namespace platform::gtk {

UserInputUnderDialogsGtk::UserInputUnderDialogsGtk(std::function<NativeWindowGtk*(GtkWidget* toplevel)> windowOf)
    : m_windowOf(std::move(windowOf))
{
    gdk_event_handler_set(&UserInputUnderDialogsGtk::dispatch, this, nullptr);
}

UserInputUnderDialogsGtk::~UserInputUnderDialogsGtk()
{
    gdk_event_handler_set([](GdkEvent* event, gpointer) { gtk_main_do_event(event); }, nullptr, nullptr);
}

void UserInputUnderDialogsGtk::dispatch(GdkEvent* event, gpointer self)
{
    if (!static_cast<UserInputUnderDialogsGtk*>(self)->passedOn(event))
        gtk_main_do_event(event);
}

// Only what GTK would drop is taken: an event for a window another one's
// grab shuts out.
bool UserInputUnderDialogsGtk::passedOn(GdkEvent* event)
{
    GtkWidget* target = gtk_get_event_widget(event);
    GtkWidget* toplevel = target ? gtk_widget_get_toplevel(target) : nullptr;
    if (!toplevel || !GTK_IS_WINDOW(toplevel))
        return false;
    GtkWidget* grab = gtk_window_group_get_current_grab(gtk_window_get_group(GTK_WINDOW(toplevel)));
    if (!grab || gtk_widget_get_toplevel(grab) == toplevel)
        return false;

    switch (event->type) {
    case GDK_DELETE: {
        // The window's own handler hears it, whatever dialog holds the input,
        // the page's or the program's.
        const auto keep = GObjectHandle<GtkWidget>::refSink(toplevel); // its handler may destroy it
        gtk_widget_event(toplevel, event);
        return true;
    }
    case GDK_BUTTON_PRESS: {
        NativeWindowGtk* window = m_windowOf(toplevel);
        if (event->button.button != 1 || !GTK_IS_BUTTON(target) || !window || !window->isHeldByItsDialog(grab))
            return false;
        m_pressed = GObjectHandle<GtkWidget>::refSink(target);
        return true;
    }
    case GDK_BUTTON_RELEASE: {
        // A click is a press and a release on the same button.
        if (event->button.button != 1 || std::exchange(m_pressed, {}).get() != target)
            return false;
        if (NativeWindowGtk* window = m_windowOf(toplevel))
            window->clickUnderDialog(GTK_BUTTON(target));
        return true;
    }
    default:
        return false;
    }
}

} // namespace platform::gtk
