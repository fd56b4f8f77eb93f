// The engine alone, as the yardstick for Quillmere's start-up: one WebKitGTK
// view in a window of Quillmere's default size, on the same web context as
// Quillmere's (sandboxed after the same bubblewrap trial, persistent site
// data), loading one address.
//
// Usage: bench_bare_webview URL
#include "GObjectHandleGtk.h"
#include "WebContextGtk.h"

#include <gtk/gtk.h>
#include <webkit2/webkit2.h>

#include <cstdio>

using namespace platform::gtk;

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s URL\n", argv[0]);
        return 2;
    }
    // Made before the toolkit starts, as the platform is, so the trial
    // overlaps the toolkit's start here too.
    WebContextGtk webContext;
    gtk_init(nullptr, nullptr);

    auto window = GObjectHandle<GtkWidget>::refSink(gtk_window_new(GTK_WINDOW_TOPLEVEL));
    gtk_window_set_default_size(GTK_WINDOW(window.get()), 1020, 700);
    g_signal_connect(window.get(), "destroy", G_CALLBACK(gtk_main_quit), nullptr);
    GtkWidget* view = webkit_web_view_new_with_context(webContext.context());
    gtk_container_add(GTK_CONTAINER(window.get()), view);
    webkit_web_view_load_uri(WEBKIT_WEB_VIEW(view), argv[1]);
    gtk_widget_show_all(window.get());
    gtk_main();
    return 0;
}
