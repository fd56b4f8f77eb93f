#include "BackendTestSupport.h"

#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <memory>

namespace backendtest {

namespace {

struct SourceGuard {
    guint id;
    ~SourceGuard() { g_source_remove(id); }
};

} // namespace

void useTestEnvironment()
{
    static const struct Folder {
        Folder() { std::filesystem::create_directories(path); }
        ~Folder()
        {
            std::error_code ignored;
            std::filesystem::remove_all(path, ignored);
        }
        const std::filesystem::path path
            = std::filesystem::temp_directory_path() / ("gtk-tests-" + std::to_string(getpid()));
    } folder;
    // Read by GLib once, on first use, which has not come yet.
    setenv("XDG_DATA_HOME", (folder.path / "data").c_str(), 1);
    setenv("XDG_CACHE_HOME", (folder.path / "cache").c_str(), 1);
    setenv("NO_AT_BRIDGE", "1", 1);
    // What gdk_test_simulate_*() send reaches GDK only without XInput 2.
    setenv("GDK_CORE_DEVICE_EVENTS", "1", 1);
}

platform::Platform& sharedPlatform()
{
    static const std::unique_ptr<platform::Platform> platform = [] {
        useTestEnvironment();
        auto made = platform::CreatePlatform();
        made->initialize();
        return made;
    }();
    return *platform;
}

bool runLoop(std::chrono::seconds limit)
{
    bool fired = false;
    const SourceGuard watchdog { g_timeout_add_seconds(
        static_cast<guint>(limit.count()),
        [](gpointer fired) -> gboolean {
            *static_cast<bool*>(fired) = true;
            sharedPlatform().eventLoop().quit();
            return G_SOURCE_CONTINUE;
        },
        &fired) };
    sharedPlatform().eventLoop().run();
    return !fired;
}

bool runUntil(const std::function<bool()>& done, std::string_view what, std::chrono::seconds limit)
{
    const auto deadline = std::chrono::steady_clock::now() + limit;
    while (!done() && std::chrono::steady_clock::now() < deadline)
        if (!g_main_context_iteration(nullptr, FALSE))
            g_usleep(1000);
    const bool held = done();
    EXPECT_TRUE(held) << "gave up waiting for " << what;
    return held;
}

guint runSoon(std::function<void()> work, std::chrono::milliseconds delay, int priority)
{
    using Work = std::function<void()>;
    const auto run = [](gpointer work) -> gboolean {
        (*static_cast<Work*>(work))();
        return G_SOURCE_REMOVE;
    };
    const auto release = [](gpointer work) { std::unique_ptr<Work>(static_cast<Work*>(work)); };
    Work* owned = std::make_unique<Work>(std::move(work)).release();
    return delay.count() ? g_timeout_add_full(priority, static_cast<guint>(delay.count()), run, owned, release)
                         : g_idle_add_full(priority, run, owned, release);
}

GtkWindow* findWindow(std::string_view title)
{
    g_autoptr(GList) toplevels = gtk_window_list_toplevels();
    for (GList* item = toplevels; item; item = item->next)
        if (const gchar* itemTitle = gtk_window_get_title(GTK_WINDOW(item->data)); itemTitle && title == itemTitle)
            return GTK_WINDOW(item->data);
    return nullptr;
}

std::vector<GtkWidget*> controlWidgets(GtkWindow* window)
{
    g_autoptr(GList) children = gtk_container_get_children(GTK_CONTAINER(gtk_bin_get_child(GTK_BIN(window))));
    std::vector<GtkWidget*> widgets;
    for (GList* item = children; item; item = item->next)
        widgets.push_back(GTK_WIDGET(item->data));
    return widgets;
}

void click(GtkWidget* widget, int x, int y)
{
    for (const auto type : { GDK_BUTTON_PRESS, GDK_BUTTON_RELEASE })
        gdk_test_simulate_button(gtk_widget_get_window(widget), x, y, 1, GdkModifierType {}, type);
}

void pressKey(GtkWidget* widget, guint keyval)
{
    gtk_window_present(GTK_WINDOW(gtk_widget_get_toplevel(widget)));
    gtk_widget_grab_focus(widget);
    for (const auto type : { GDK_KEY_PRESS, GDK_KEY_RELEASE })
        gdk_test_simulate_key(gtk_widget_get_window(widget), -1, -1, keyval, GdkModifierType {}, type);
}

} // namespace backendtest
