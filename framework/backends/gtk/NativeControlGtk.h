#pragma once

#include "GObjectHandleGtk.h"
#include "platform/NativeControl.h"

#include <gtk/gtk.h>

#include <algorithm>
#include <string>
#include <string_view>

namespace platform::gtk {

// What every control shares: a widget placed by absolute position in its
// window's layout. The control keeps its own reference to the widget, so
// either the control or its window may go first.
template <typename Interface>
class NativeControlGtk : public Interface {
public:
    NativeControlGtk(const NativeControlGtk&) = delete;
    NativeControlGtk& operator=(const NativeControlGtk&) = delete;

    ~NativeControlGtk() override
    {
        // A widget still in its window is taken out of it; one whose window
        // has gone was destroyed with it and only awaits our last reference.
        if (inWindow())
            gtk_widget_destroy(widget());
    }

    void setGeometry(Rect rect) override
    {
        if (GtkWidget* parent = gtk_widget_get_parent(widget()); parent && GTK_IS_LAYOUT(parent))
            gtk_layout_move(GTK_LAYOUT(parent), widget(), rect.left, rect.top);
        // The layout allocates each child its minimum size, which is this
        // request unless the content needs more.
        gtk_widget_set_size_request(widget(), std::max(rect.width, 0), std::max(rect.height, 0));
    }

    void setVisible(bool visible) override { gtk_widget_set_visible(widget(), visible); }

    void setEnabled(bool enabled) override { gtk_widget_set_sensitive(widget(), enabled); }

    void setTooltip(std::string_view text) override
    {
        gtk_widget_set_tooltip_text(widget(), text.empty() ? nullptr : std::string(text).c_str());
    }

    GtkWidget* widget() const { return m_widget.get(); }

protected:
    // False once the window has gone and destroyed the widget with it.
    bool inWindow() const { return gtk_widget_get_parent(widget()) != nullptr; }

    NativeControlGtk(GtkLayout* layout, GObjectHandle<GtkWidget> widget) : m_widget(std::move(widget))
    {
        gtk_widget_set_size_request(this->widget(), 0, 0);
        // Only setVisible decides whether a control shows: showing the window
        // must never reveal a control that was hidden.
        gtk_widget_set_no_show_all(this->widget(), TRUE);
        gtk_widget_show(this->widget());
        gtk_layout_put(layout, this->widget(), 0, 0);
    }

private:
    GObjectHandle<GtkWidget> m_widget;
};

} // namespace platform::gtk
