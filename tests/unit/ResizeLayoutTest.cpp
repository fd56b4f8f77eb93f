#include "ProgramFixture.h"

#include <algorithm>

namespace {

// What the resize layout decides: window, page view size, "?" button's left edge, separator width.
struct Layout {
    platform::Rect window;
    std::int32_t viewerWidth, viewerHeight, buttonLeft, separatorWidth;
    friend bool operator==(const Layout&, const Layout&) = default;
};

Layout LayoutOf(const testing_support::WindowSnapshot& taken)
{
    const auto& viewer = taken.controls.at("HTMLViewer1");
    return { taken.window, viewer.width, viewer.height, taken.controls.at("BevelButton5").left,
        taken.controls.at("Separator1").width };
}

class ResizeLayoutTest : public testing_support::ProgramTest {
protected:
    Layout layout() { return LayoutOf(snapshot()); }
};

// The window must never be shown before its controls are laid out.
TEST_F(ResizeLayoutTest, OpeningIsLaidOutByTheRunAfterOpenBeforeTheWindowShows)
{
    // Once settled, the view always has the window's full width.
    const struct {
        std::array<std::optional<std::string>, 4> saved;
        Layout opened, laidOut;
    } cases[] = {
        { {}, { { 210, 100, 1020, 700 }, 1010, 650, 595, 221 }, { { 210, 100, 1020, 700 }, 1020, 650, 974, 1020 } },
        // Narrower than the button row: "Open" leaves "?" past the right edge.
        { { "100", "100", "550", "600" }, { { 100, 100, 600, 550 }, 590, 500, 595, 221 },
            { { 100, 100, 600, 550 }, 600, 500, 554, 600 } },
        { { "100", "100", "400", "300" }, { { 100, 100, 300, 400 }, 290, 350, 595, 221 },
            { { 100, 100, 500, 500 }, 490, 450, 454, 500 } },
    };
    for (const auto& [saved, opened, laidOut] : cases) {
        SCOPED_TRACE(testing::PrintToString(saved));
        Layout settled = laidOut;
        settled.viewerWidth = laidOut.window.width;
        saveGeometry(saved);
        startProgram();
        ASSERT_FALSE(beforeResizedRuns.empty());
        EXPECT_EQ(LayoutOf(beforeResizedRuns.front()), opened);
        EXPECT_FALSE(beforeResizedRuns.front().shown);
        EXPECT_EQ(layout(), laidOut);
        settle();
        EXPECT_EQ(layout(), settled);
        EXPECT_EQ(beforeResizedRuns.size(), settled == laidOut ? 1u : 2u);
        stopProgram();
    }
}

// The floor is a size the program set, so only the run after the handler gives the view the full width.
TEST_F(ResizeLayoutTest, AUserResizeIsLaidOutAtTheFullWidthAfterAnyFloorAndTheOtherControlsStay)
{
    startProgram();
    const auto opened = beforeResizedRuns.front().controls;
    struct Case {
        std::int32_t width, height;
        Layout floored;
    };
    for (const auto& [width, height, floored] : { Case { 800, 600, { { 210, 100, 800, 600 }, 800, 550, 754, 800 } },
             Case { 500, 500, { { 210, 100, 500, 500 }, 500, 450, 454, 500 } },
             Case { 499, 600, { { 210, 100, 500, 600 }, 490, 550, 454, 500 } },
             Case { 800, 499, { { 210, 100, 800, 500 }, 790, 450, 754, 800 } },
             Case { 64, 64, { { 210, 100, 500, 500 }, 490, 450, 454, 500 } } }) {
        SCOPED_TRACE(testing::Message() << width << " x " << height);
        Layout settled = floored;
        settled.viewerWidth = floored.window.width;
        const auto runs = beforeResizedRuns.size();
        nativeWindow().userResize(width, height);
        EXPECT_EQ(layout(), floored);
        EXPECT_TRUE(nativeWindow().width == floored.window.width && nativeWindow().height == floored.window.height);
        settle();
        EXPECT_EQ(beforeResizedRuns.size(), runs + (floored == settled ? 1 : 2));
        EXPECT_EQ(layout(), settled);
        EXPECT_EQ(
            webView("HTMLViewer1").geometry, (platform::Rect { 0, 35, settled.viewerWidth, settled.viewerHeight }));
        for (const auto& [name, rect] : snapshot().controls)
            EXPECT_TRUE(
                rect == opened.at(name) || name == "HTMLViewer1" || name == "BevelButton5" || name == "Separator1")
                << name;
    }
}

// A run in the middle of a handler would lay out a size the handler has not finished setting.
TEST_F(ResizeLayoutTest, SeveralSizeWritesInOneHandlerGiveOneRunAfterIt)
{
    startProgram();
    std::size_t runsDuringHandler = 0;
    platform().loop.post([&] {
        auto window = mainWindow();
        window->setWidth(700);
        window->setHeight(650);
        window->setLeft(20);
        window->setWidth(800);
        runsDuringHandler = beforeResizedRuns.size();
    });
    settle();

    EXPECT_EQ(runsDuringHandler, 1u);
    ASSERT_EQ(beforeResizedRuns.size(), 2u);
    EXPECT_EQ(beforeResizedRuns[1].window, (platform::Rect { 20, 100, 800, 650 }));
    EXPECT_EQ(layout(), (Layout { { 20, 100, 800, 650 }, 800, 600, 754, 800 }));

    // Moving alone is no change of size.
    mainWindow()->setTop(30);
    settle();
    EXPECT_EQ(beforeResizedRuns.size(), 2u);

    auto window = mainWindow();
    window->setWidth(600);
    nativeWindow().userClose();
    const auto runs = std::ranges::count(milestones, "event Resized");
    settle();
    EXPECT_EQ(std::ranges::count(milestones, "event Resized"), runs);
}

} // namespace
