#pragma once

#include "platform/Platform.h"

#include <gtk/gtk.h>

#include <chrono>
#include <filesystem>
#include <functional>
#include <memory>
#include <string_view>

namespace backendtest {

struct GObjectUnref {
    void operator()(gpointer object) const { g_object_unref(object); }
};
template <typename T>
using GObjectPtr = std::unique_ptr<T, GObjectUnref>;

// The one GTK platform of this test program, brought up on first use. Its
// web data goes to a private folder, never the user's own.
platform::Platform& sharedPlatform();
std::filesystem::path webDataFolder();

// While alive, fails the test and ends the event loop if the loop is still
// running after `limit`, so a hung loop fails instead of hanging the suite.
class Watchdog {
public:
    explicit Watchdog(std::chrono::seconds limit = std::chrono::seconds(20));
    Watchdog(const Watchdog&) = delete;
    Watchdog& operator=(const Watchdog&) = delete;
    ~Watchdog();
    bool fired() const { return fired_; }

private:
    guint source_ = 0;
    bool fired_ = false;
};

// Runs the platform's event loop until `done` holds. A watchdog fails the
// test and ends the loop when it never does, so a hung loop cannot hang the
// suite.
bool runUntil(const std::function<bool()>& done, std::string_view what,
    std::chrono::seconds limit = std::chrono::seconds(20));

// The toplevel GtkWindow with this title, and the first widget of a type
// inside a widget: how a test reaches what a user would see or touch.
GtkWindow* findWindow(std::string_view title);
GtkWidget* findWidget(GtkWidget* root, GType type);

// Clicks inside `widget` as a pointer would, at a point in its own
// coordinates; the widget must be mapped.
void clickWidget(GtkWidget* widget, double x, double y);

// Gives `widget` the keyboard focus and presses and releases a key there as a
// keyboard would.
void pressKey(GtkWidget* widget, guint keyval);

} // namespace backendtest
