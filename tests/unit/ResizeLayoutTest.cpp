#include "ProgramFixture.h"

namespace {

// The window's place and size, the page view's size, the "?" button's left
// edge and the separator's width: what the resize layout decides.
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
    void saveGeometry(const char* top, const char* left, const char* height, const char* width)
    {
        config.write("quillmere-top.txt", top);
        config.write("quillmere-left.txt", left);
        config.write("quillmere-height.txt", height);
        config.write("quillmere-width.txt", width);
    }

    Layout layout() { return LayoutOf(snapshot()); }
    // As "Open" left it, when the run after it began.
    Layout openedLayout() { return beforeResizedRuns.empty() ? Layout {} : LayoutOf(beforeResizedRuns.front()); }
};

TEST_F(ResizeLayoutTest, AboveTheFloorTheViewerTakesTheFullWidthAndTheOtherControlsStay)
{
    startProgram();
    const auto opened = beforeResizedRuns.front().controls;
    nativeWindow().userResize(800, 600);
    EXPECT_EQ(layout(), (Layout { { 210, 100, 800, 600 }, 800, 550, 754, 800 }));
    EXPECT_EQ(webView("HTMLViewer1").geometry, (platform::Rect { 0, 35, 800, 550 }));
    for (const auto& [name, rect] : snapshot().controls)
        EXPECT_TRUE(rect == opened.at(name) || name == "HTMLViewer1" || name == "BevelButton5" || name == "Separator1") << name;

    nativeWindow().userResize(500, 500);
    EXPECT_EQ(layout(), (Layout { { 210, 100, 500, 500 }, 500, 450, 454, 500 }));
    // Sizes the user chose are not written back, so no further run follows.
    settle();
    EXPECT_EQ(beforeResizedRuns.size(), 3u);
}

// The handler's floor is a size the program set: it stops the view 10 pixels
// short, and the one run that follows once the handler has returned finds the
// window at the floor and gives the view the full width.
TEST_F(ResizeLayoutTest, BelowTheFloorTheWindowIsWidenedThenLaidOutAtTheFullWidthByOneMoreRun)
{
    startProgram();
    struct Case {
        std::int32_t width, height;
        Layout floored, settled;
    };
    testing::internal::CaptureStderr();
    for (const auto& [width, height, floored, settled] :
        { Case { 499, 600, { { 210, 100, 500, 600 }, 490, 550, 454, 500 }, { { 210, 100, 500, 600 }, 500, 550, 454, 500 } },
            Case { 800, 499, { { 210, 100, 800, 500 }, 790, 450, 754, 800 }, { { 210, 100, 800, 500 }, 800, 450, 754, 800 } },
            Case { 64, 64, { { 210, 100, 500, 500 }, 490, 450, 454, 500 }, { { 210, 100, 500, 500 }, 500, 450, 454, 500 } } }) {
        SCOPED_TRACE(testing::Message() << width << " x " << height);
        const auto runs = beforeResizedRuns.size();
        nativeWindow().userResize(width, height);
        EXPECT_EQ(layout(), floored);
        EXPECT_TRUE(nativeWindow().width == floored.window.width && nativeWindow().height == floored.window.height);
        settle();
        EXPECT_EQ(beforeResizedRuns.size(), runs + 2);
        EXPECT_EQ(layout(), settled);
    }
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "");
}

// A handler that sets the size several times gets one run, after it has
// returned, which sees the size the handler left.
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
}

// Opening: "Open" sizes the window and the view, and the one run that
// follows it, before the window is shown, lays out the rest.
TEST_F(ResizeLayoutTest, TheDefaultSizeIsLaidOutBeforeTheWindowShows)
{
    startProgram();
    EXPECT_EQ(openedLayout(), (Layout { { 210, 100, 1020, 700 }, 1010, 650, 595, 221 }));
    EXPECT_FALSE(beforeResizedRuns.at(0).shown);
    EXPECT_EQ(layout(), (Layout { { 210, 100, 1020, 700 }, 1020, 650, 974, 1020 }));
    EXPECT_EQ(button("BevelButton5").geometry, (platform::Rect { 974, 7, 38, 23 }));
    EXPECT_TRUE(nativeWindow().shown);
    settle();
    EXPECT_EQ(beforeResizedRuns.size(), 1u);
}

TEST_F(ResizeLayoutTest, ANarrowRestoredWindowHasTheHelpButtonInSight)
{
    saveGeometry("100", "100", "550", "600");
    startProgram();
    // Where "Open" leaves it, the button would end past the right edge.
    EXPECT_EQ(openedLayout(), (Layout { { 100, 100, 600, 550 }, 590, 500, 595, 221 }));
    EXPECT_EQ(layout(), (Layout { { 100, 100, 600, 550 }, 600, 500, 554, 600 }));
}

TEST_F(ResizeLayoutTest, ARestoredWindowBelowTheFloorIsFlooredByTheRunAfterOpening)
{
    saveGeometry("100", "100", "400", "300");
    startProgram();
    EXPECT_EQ(openedLayout(), (Layout { { 100, 100, 300, 400 }, 290, 350, 595, 221 }));
    EXPECT_EQ(layout(), (Layout { { 100, 100, 500, 500 }, 490, 450, 454, 500 }));
    settle();
    EXPECT_EQ(beforeResizedRuns.size(), 2u);
    EXPECT_EQ(layout(), (Layout { { 100, 100, 500, 500 }, 500, 450, 454, 500 }));
}

} // namespace
