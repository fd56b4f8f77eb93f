// The engine alone, as the yardstick for Quillmere's start-up: one WebKitGTK
// view in a window of Quillmere's default size, with the sandbox on (after the
// same bubblewrap trial) and persistent site data, loading one address.
//
// Usage: bench_bare_webview URL DATA_FOLDER
#include "GLibPtrGtk.h"
#include "GObjectHandleGtk.h"
#include "SandboxTrialGtk.h"

#include <gtk/gtk.h>
#include <webkit2/webkit2.h>

#include <cstdio>

using namespace platform::gtk;

int main(int argc, char** argv)
{
    if (argc != 3) {
        std::fprintf(stderr, "usage: %s URL DATA_FOLDER\n", argv[0]);
        return 2;
    }
    gtk_init(nullptr, nullptr);

    GCharPtr cache(g_build_filename(argv[2], "cache", nullptr));
    GCharPtr cookies(g_build_filename(argv[2], "cookies.sqlite", nullptr));
    auto manager = GObjectHandle<WebKitWebsiteDataManager>::adopt(webkit_website_data_manager_new(
        "base-data-directory", argv[2], "base-cache-directory", cache.get(), nullptr));
    webkit_website_data_manager_set_persistent_credential_storage_enabled(manager.get(), TRUE);
    webkit_cookie_manager_set_persistent_storage(webkit_website_data_manager_get_cookie_manager(manager.get()),
        cookies.get(), WEBKIT_COOKIE_PERSISTENT_STORAGE_SQLITE);
    auto context
        = GObjectHandle<WebKitWebContext>::adopt(webkit_web_context_new_with_website_data_manager(manager.get()));
    webkit_web_context_set_sandbox_enabled(context.get(), SandboxTrialGtk().sandboxWorks());

    auto window = GObjectHandle<GtkWidget>::refSink(gtk_window_new(GTK_WINDOW_TOPLEVEL));
    gtk_window_set_default_size(GTK_WINDOW(window.get()), 1020, 700);
    g_signal_connect(window.get(), "destroy", G_CALLBACK(gtk_main_quit), nullptr);
    GtkWidget* view = webkit_web_view_new_with_context(context.get());
    gtk_container_add(GTK_CONTAINER(window.get()), view);
    webkit_web_view_load_uri(WEBKIT_WEB_VIEW(view), argv[1]);
    gtk_widget_show_all(window.get());
    gtk_main();
    return 0;
}
