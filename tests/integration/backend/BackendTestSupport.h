#pragma once

#include "platform/Platform.h"

#include <gtest/gtest.h>
#include <gtk/gtk.h>

#include <chrono>
#include <functional>
#include <string_view>
#include <vector>

namespace backendtest {

// Sends the web engine's data to a private folder, never the user's own, and lets the input that gdk_test_simulate_*()
// make through. Called before GTK starts; the folder goes when the program ends, after the engine.
void useTestEnvironment();

// The one GTK platform of this test program, brought up on first use.
platform::Platform& sharedPlatform();

// Runs the platform's loop until quit, or a watchdog quits it after `limit` (then false), so a hung loop fails.
bool runLoop(std::chrono::seconds limit = std::chrono::seconds(20));

// Runs the event loop until `done` holds, failing the test if it never does.
bool runUntil(
    const std::function<bool()>& done, std::string_view what, std::chrono::seconds limit = std::chrono::seconds(20));

// Runs `work` once from a GLib source of its own, not as posted work: after `delay`, or when idle.
guint runSoon(std::function<void()> work, std::chrono::milliseconds delay = {}, int priority = G_PRIORITY_DEFAULT);

// The toplevel with this title, and its controls' widgets: the children of its layout, in the order they were made.
GtkWindow* findWindow(std::string_view title);
std::vector<GtkWidget*> controlWidgets(GtkWindow* window);

// A click in a mapped widget, and a key pressed in one given the focus, as the X server delivers them.
void click(GtkWidget* widget, int x, int y);
void pressKey(GtkWidget* widget, guint keyval);

} // namespace backendtest
