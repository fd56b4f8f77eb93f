#include "BackendTestSupport.h"

#include "backends/gtk/WebContextGtk.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>

using namespace backendtest;

TEST(PlatformGtk, ListsTheScreenAndReportsAUrlNoApplicationTakes)
{
    // The test display is one screen, the whole of the X root window.
    GdkWindow* root = gdk_get_default_root_window();
    EXPECT_EQ(sharedPlatform().screens(),
        (std::vector { platform::Rect { 0, 0, gdk_window_get_width(root), gdk_window_get_height(root) } }));

    std::optional<std::string> reason;
    sharedPlatform().openInDefaultBrowser(
        "x-no-such-scheme-for-tests:nowhere", [&](std::string_view why) { reason = std::string(why); });
    EXPECT_FALSE(reason) << "the hand-off waited for the outcome";
    ASSERT_TRUE(runUntil([&] { return reason.has_value(); }, "the report that no application takes the URL"));
    EXPECT_NE(*reason, "");
}

// A quarter of the machine's memory, never past 3 GiB.
TEST(PlatformGtk, AWebProcessMayUseAQuarterOfTheMemoryUpTo3GiB)
{
    EXPECT_EQ(platform::gtk::WebProcessMemoryLimitMiB(4096), 1024u);
    EXPECT_EQ(platform::gtk::WebProcessMemoryLimitMiB(8000), 2000u);
    EXPECT_EQ(platform::gtk::WebProcessMemoryLimitMiB(12288), 3072u);
    EXPECT_EQ(platform::gtk::WebProcessMemoryLimitMiB(256 * 1024), 3072u);
}
