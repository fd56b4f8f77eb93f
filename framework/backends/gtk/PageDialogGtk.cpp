#include "PageDialogGtk.h"

#include <algorithm>
#include <vector>

namespace platform::gtk {

namespace {

// What the view draws over its page, dialogs included.
std::vector<GtkWidget*> DrawnOver(WebKitWebView* view)
{
    std::vector<GtkWidget*> children;
    gtk_container_forall(
        GTK_CONTAINER(view),
        [](GtkWidget* child, gpointer list) { static_cast<std::vector<GtkWidget*>*>(list)->push_back(child); },
        &children);
    return children;
}

} // namespace

// The engine's default handler adds its dialog to the view and returns; the
// dialog is what it added.
void PageDialogGtk::show(WebKitWebView* view, WebKitScriptDialog* dialog)
{
    const auto before = DrawnOver(view);
    WEBKIT_WEB_VIEW_GET_CLASS(view)->script_dialog(view, dialog);
    const auto after = DrawnOver(view);
    const auto added = std::ranges::find_if(
        after, [&](GtkWidget* child) { return std::ranges::find(before, child) == before.end(); });
    m_widget = added == after.end() ? GObjectHandle<GtkWidget>() : GObjectHandle<GtkWidget>::refSink(*added);
    m_leaveQuestion = webkit_script_dialog_get_dialog_type(dialog) == WEBKIT_SCRIPT_DIALOG_BEFORE_UNLOAD_CONFIRM;
    m_unseen = !m_widget;
}

// Answered, the engine's dialog takes itself out of the view. One this
// could not find counts as up: ending a page in doubt loses less than a
// toolbar that waits on it for ever.
bool PageDialogGtk::isUp() const
{
    return m_widget ? gtk_widget_get_parent(m_widget.get()) != nullptr : m_unseen;
}

bool PageDialogGtk::isLeaveQuestion() const
{
    return m_widget && isUp() && m_leaveQuestion;
}

// Destroying the dialog answers it as its Close or Cancel would, which a
// process that has ended, or a page that has gone, never hears.
void PageDialogGtk::takeOff()
{
    if (m_widget && gtk_widget_get_parent(m_widget.get()))
        gtk_widget_destroy(m_widget.get());
    m_widget.reset();
    m_unseen = false;
}

} // namespace platform::gtk
