#pragma once

#include <glib.h>

#include <memory>

namespace platform::gtk {

// Owners for the plain (non-GObject) memory GLib hands out.
struct GLibDeleter {
    void operator()(gchar* text) const noexcept { g_free(text); }
    void operator()(GError* error) const noexcept { g_error_free(error); }
};

using GCharPtr = std::unique_ptr<gchar, GLibDeleter>;
using GErrorPtr = std::unique_ptr<GError, GLibDeleter>;

} // namespace platform::gtk
