#include "NativeTextFieldGtk.h"

#include "CallbackGuardGtk.h"

namespace platform::gtk {

NativeTextFieldGtk::NativeTextFieldGtk(GtkLayout* layout, NativeTextFieldClient& client)
    : NativeControlGtk(layout, GObjectHandle<GtkWidget>::refSink(gtk_entry_new()))
    , m_client(client)
{
    // Without this an entry insists on room for a default number of
    // characters, wider than many fields the framework lays out.
    gtk_entry_set_width_chars(GTK_ENTRY(widget()), 0);
    g_signal_connect(widget(), "changed", G_CALLBACK(&NativeTextFieldGtk::onChanged), this);
}

NativeTextFieldGtk::~NativeTextFieldGtk()
{
    g_signal_handlers_disconnect_by_data(widget(), this);
}

void NativeTextFieldGtk::setText(std::string_view text)
{
    // The client already knows text it set; "changed" fires for it all the
    // same (twice: once emptied, once filled), so it is muted meanwhile.
    m_settingText = true;
    gtk_entry_set_text(GTK_ENTRY(widget()), std::string(text).c_str());
    m_settingText = false;
}

void NativeTextFieldGtk::setPassword(bool password)
{
    gtk_entry_set_visibility(GTK_ENTRY(widget()), !password);
}

void NativeTextFieldGtk::setReadOnly(bool readOnly)
{
    gtk_editable_set_editable(GTK_EDITABLE(widget()), !readOnly);
}

void NativeTextFieldGtk::onChanged(GtkEditable* editable, gpointer self)
{
    auto& field = *static_cast<NativeTextFieldGtk*>(self);
    if (field.m_settingText)
        return;
    guardCallback("text change", [&] { field.m_client.nativeTextChanged(gtk_entry_get_text(GTK_ENTRY(editable))); });
}

} // namespace platform::gtk
