#include "BackendTestSupport.h"

#include <gtest/gtest.h>

#include <cstdlib>
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

TEST(PlatformGtkDeathTest, InitializeThrowsWithoutADisplay)
{
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    EXPECT_EXIT(
        {
            unsetenv("DISPLAY");
            unsetenv("WAYLAND_DISPLAY");
            auto platform = platform::CreatePlatform();
            try {
                platform->initialize();
            } catch (const platform::PlatformError& error) {
                std::_Exit(std::string_view(error.what()) == "cannot open the display: DISPLAY is not set" ? 0 : 2);
            }
            std::_Exit(1);
        },
        ::testing::ExitedWithCode(0), "");
}
