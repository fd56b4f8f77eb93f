#include "BackendTestSupport.h"

#include <gtest/gtest.h>

#include <unistd.h>

#include <cstdlib>
#include <memory>

namespace backendtest {

namespace {

struct SourceGuard {
    guint id;
    ~SourceGuard() { g_source_remove(id); }
};

// Removed when the program ends, after the platform, which is made later.
struct TemporaryFolder {
    std::filesystem::path path;
    ~TemporaryFolder()
    {
        std::error_code ignored;
        std::filesystem::remove_all(path, ignored);
    }
};

} // namespace

std::filesystem::path webDataFolder()
{
    static const TemporaryFolder folder { [] {
        auto path = std::filesystem::temp_directory_path() / ("backend-tests-" + std::to_string(getpid()));
        std::filesystem::create_directories(path);
        return path;
    }() };
    return folder.path;
}

platform::Platform& sharedPlatform()
{
    static const std::unique_ptr<platform::Platform> platform = [] {
        // Read by GLib once, on first use, which has not come yet.
        setenv("XDG_DATA_HOME", (webDataFolder() / "data").c_str(), 1);
        setenv("XDG_CACHE_HOME", (webDataFolder() / "cache").c_str(), 1);
        auto made = platform::CreatePlatform();
        made->initialize();
        return made;
    }();
    return *platform;
}

bool runLoop(std::chrono::seconds limit)
{
    bool fired = false;
    const SourceGuard watchdog { g_timeout_add_seconds(static_cast<guint>(limit.count()), [](gpointer fired) -> gboolean {
        *static_cast<bool*>(fired) = true;
        sharedPlatform().eventLoop().quit();
        return G_SOURCE_CONTINUE;
    }, &fired) };
    sharedPlatform().eventLoop().run();
    return !fired;
}

bool runUntil(const std::function<bool()>& done, std::string_view what, std::chrono::seconds limit)
{
    if (!done()) {
        const SourceGuard poll { g_timeout_add(5, [](gpointer done) -> gboolean {
            if ((*static_cast<const std::function<bool()>*>(done))())
                sharedPlatform().eventLoop().quit();
            return G_SOURCE_CONTINUE;
        }, const_cast<std::function<bool()>*>(&done)) };
        runLoop(limit);
    }
    const bool held = done();
    EXPECT_TRUE(held) << "gave up waiting for " << what;
    return held;
}

GtkWindow* findWindow(std::string_view title)
{
    g_autoptr(GList) toplevels = gtk_window_list_toplevels();
    for (GList* item = toplevels; item; item = item->next)
        if (const gchar* itemTitle = gtk_window_get_title(GTK_WINDOW(item->data)); itemTitle && title == itemTitle)
            return GTK_WINDOW(item->data);
    return nullptr;
}

GtkWidget* findWidget(GtkWidget* root, GType type)
{
    if (G_TYPE_CHECK_INSTANCE_TYPE(root, type))
        return root;
    if (!GTK_IS_CONTAINER(root))
        return nullptr;
    g_autoptr(GList) children = gtk_container_get_children(GTK_CONTAINER(root));
    for (GList* item = children; item; item = item->next)
        if (GtkWidget* found = findWidget(GTK_WIDGET(item->data), type))
            return found;
    return nullptr;
}

void clickWidget(GtkWidget* widget, double x, double y)
{
    GdkWindow* window = gtk_widget_get_window(widget);
    GdkDevice* pointer = gdk_seat_get_pointer(gdk_display_get_default_seat(gtk_widget_get_display(widget)));
    if (!gtk_widget_get_has_window(widget)) {
        GtkAllocation allocation;
        gtk_widget_get_allocation(widget, &allocation);
        x += allocation.x;
        y += allocation.y;
    }
    int rootX = 0, rootY = 0;
    gdk_window_get_origin(window, &rootX, &rootY);
    const auto place = [&](auto& event) {
        event.window = GDK_WINDOW(g_object_ref(window));
        event.x = x;
        event.y = y;
        event.x_root = rootX + x;
        event.y_root = rootY + y;
        event.time = GDK_CURRENT_TIME;
    };
    for (GdkEventType type : { GDK_MOTION_NOTIFY, GDK_BUTTON_PRESS, GDK_BUTTON_RELEASE }) {
        g_autoptr(GdkEvent) event = gdk_event_new(type);
        if (type == GDK_MOTION_NOTIFY) {
            place(event->motion);
        } else {
            place(event->button);
            event->button.button = 1;
            event->button.state = type == GDK_BUTTON_RELEASE ? GDK_BUTTON1_MASK : 0;
        }
        gdk_event_set_device(event, pointer);
        gtk_main_do_event(event);
    }
}

void pressKey(GtkWidget* widget, guint keyval)
{
    GtkWidget* toplevel = gtk_widget_get_toplevel(widget);
    gtk_window_present(GTK_WINDOW(toplevel));
    gtk_widget_grab_focus(widget);
    GdkDevice* keyboard = gdk_seat_get_keyboard(gdk_display_get_default_seat(gtk_widget_get_display(widget)));
    GdkKeymap* keymap = gdk_keymap_get_for_display(gtk_widget_get_display(widget));
    g_autofree GdkKeymapKey* keys = nullptr;
    gint keyCount = 0;
    gdk_keymap_get_entries_for_keyval(keymap, keyval, &keys, &keyCount);
    const guint16 keycode = keyCount > 0 ? static_cast<guint16>(keys[0].keycode) : 0;
    for (GdkEventType type : { GDK_KEY_PRESS, GDK_KEY_RELEASE }) {
        g_autoptr(GdkEvent) event = gdk_event_new(type);
        auto& key = event->key;
        key.window = GDK_WINDOW(g_object_ref(gtk_widget_get_window(toplevel)));
        key.keyval = keyval;
        key.hardware_keycode = keycode;
        key.time = static_cast<guint32>(g_get_monotonic_time() / 1000); // a press of its own
        gdk_event_set_device(event, keyboard);
        gtk_main_do_event(event);
    }
}

} // namespace backendtest
