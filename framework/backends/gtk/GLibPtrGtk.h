#pragma once

#include <glib.h>

#include <memory>

namespace platform::gtk {

// Owners for the plain (non-GObject) references GLib hands out.
struct GLibDeleter {
    void operator()(gchar* text) const noexcept { g_free(text); }
    void operator()(GError* error) const noexcept { g_error_free(error); }
    void operator()(GSource* source) const noexcept { g_source_unref(source); }
    void operator()(gchar** strings) const noexcept { g_strfreev(strings); }
    void operator()(GList* list) const noexcept { g_list_free(list); }
};

using GCharPtr = std::unique_ptr<gchar, GLibDeleter>;
using GErrorPtr = std::unique_ptr<GError, GLibDeleter>;
using GSourcePtr = std::unique_ptr<GSource, GLibDeleter>;
using GStrvPtr = std::unique_ptr<gchar*, GLibDeleter>; // a NULL-ended list of strings
using GListPtr = std::unique_ptr<GList, GLibDeleter>; // the list only, not what it points to

} // namespace platform::gtk
