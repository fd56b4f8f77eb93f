#include "BackendTestSupport.h"

#include <gtest/gtest.h>

#include <cstdlib>

using namespace backendtest;

TEST(PlatformGtk, ListsTheScreenAndReportsAUrlNoApplicationTakes)
{
    // The test display is one screen, the whole of the X root window.
    GdkWindow* root = gdk_get_default_root_window();
    EXPECT_EQ(sharedPlatform().screens(),
        (std::vector { platform::Rect { 0, 0, gdk_window_get_width(root), gdk_window_get_height(root) } }));

    try {
        sharedPlatform().openInDefaultBrowser("x-no-such-scheme-for-tests:nowhere");
        ADD_FAILURE() << "no application should take this URL";
    } catch (const platform::PlatformError& error) {
        EXPECT_STRNE(error.what(), "");
    }
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
            } catch (const platform::PlatformError&) {
                std::_Exit(0);
            }
            std::_Exit(1);
        },
        ::testing::ExitedWithCode(0), "");
}
