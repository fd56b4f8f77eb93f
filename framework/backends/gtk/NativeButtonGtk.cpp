#include "NativeButtonGtk.h"

#include "CallbackGuardGtk.h"

namespace platform::gtk {

NativeButtonGtk::NativeButtonGtk(GtkLayout* layout, NativeButtonClient& client)
    : NativeControlGtk(layout, GObjectHandle<GtkWidget>::refSink(gtk_button_new_with_label("")))
    , m_client(client)
{
    g_signal_connect(widget(), "clicked", G_CALLBACK(&NativeButtonGtk::onClicked), this);
}

NativeButtonGtk::~NativeButtonGtk()
{
    g_signal_handlers_disconnect_by_data(widget(), this);
}

void NativeButtonGtk::setCaption(std::string_view caption)
{
    gtk_button_set_label(GTK_BUTTON(widget()), std::string(caption).c_str());
}

void NativeButtonGtk::onClicked(GtkButton*, gpointer self)
{
    guardCallback("button click", [&] { static_cast<NativeButtonGtk*>(self)->m_client.nativeButtonClicked(); });
}

} // namespace platform::gtk
