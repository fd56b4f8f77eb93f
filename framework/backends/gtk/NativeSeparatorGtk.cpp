#include "NativeSeparatorGtk.h"

namespace platform::gtk {

NativeSeparatorGtk::NativeSeparatorGtk(GtkLayout* layout)
    : NativeControlGtk(layout, GObjectHandle<GtkWidget>::refSink(gtk_separator_new(GTK_ORIENTATION_HORIZONTAL)))
{
}

} // namespace platform::gtk
