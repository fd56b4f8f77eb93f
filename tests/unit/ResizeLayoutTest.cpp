#include "ProgramFixture.h"

using testing_support::ProgramTest;

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

class ResizeLayoutTest : public ProgramTest {
protected:
    void SetUp() override
    {
        ProgramTest::SetUp();
        startProgram();
    }

    Layout layout() { return LayoutOf(snapshot()); }
};

TEST_F(ResizeLayoutTest, AboveTheFloorTheViewerTakesTheFullWidth)
{
    nativeWindow().userResize(800, 600);
    EXPECT_EQ(layout(), (Layout { { 210, 100, 800, 600 }, 800, 550, 754, 800 }));
    EXPECT_EQ(webView("HTMLViewer1").geometry, (platform::Rect { 0, 35, 800, 550 }));

    nativeWindow().userResize(500, 500);
    EXPECT_EQ(layout(), (Layout { { 210, 100, 500, 500 }, 500, 450, 454, 500 }));
    // Sizes the user chose are not written back, so no further run follows.
    settle();
    EXPECT_EQ(beforeResizedRuns.size(), 3u);
}

// The handler's floor is a size the program set: it stops the view 10 pixels
// short, and the run that follows once the handler has returned finds the
// window at the floor and gives the view the full width.
TEST_F(ResizeLayoutTest, TooNarrowIsWidenedToTheFloorThenLaidOutAtTheFullWidth)
{
    nativeWindow().userResize(499, 600);
    EXPECT_EQ(layout(), (Layout { { 210, 100, 500, 600 }, 490, 550, 454, 500 }));
    EXPECT_EQ(nativeWindow().width, 500);
    EXPECT_EQ(beforeResizedRuns.size(), 2u);

    settle();
    ASSERT_EQ(beforeResizedRuns.size(), 3u);
    EXPECT_EQ(layout(), (Layout { { 210, 100, 500, 600 }, 500, 550, 454, 500 }));
}

TEST_F(ResizeLayoutTest, TooLowIsRaisedToTheFloorThenLaidOutAtTheFullWidth)
{
    nativeWindow().userResize(800, 499);
    EXPECT_EQ(layout(), (Layout { { 210, 100, 800, 500 }, 790, 450, 754, 800 }));
    EXPECT_EQ(nativeWindow().height, 500);

    settle();
    EXPECT_EQ(layout(), (Layout { { 210, 100, 800, 500 }, 800, 450, 754, 800 }));
}

TEST_F(ResizeLayoutTest, BothFloorsInOneRunAreFollowedByOneRunOnly)
{
    testing::internal::CaptureStderr();
    nativeWindow().userResize(64, 64);
    EXPECT_EQ(layout(), (Layout { { 210, 100, 500, 500 }, 490, 450, 454, 500 }));
    settle();
    const std::string report = testing::internal::GetCapturedStderr();

    // The run after opening, the user's, and one for both floors.
    ASSERT_EQ(beforeResizedRuns.size(), 3u);
    EXPECT_EQ(beforeResizedRuns[2].window, (platform::Rect { 210, 100, 500, 500 }));
    EXPECT_EQ(layout(), (Layout { { 210, 100, 500, 500 }, 500, 450, 454, 500 }));
    EXPECT_EQ(report, "");
}

// A handler that sets the size several times gets one run, after it has
// returned, which sees the size the handler left.
TEST_F(ResizeLayoutTest, SeveralSizeWritesInOneHandlerGiveOneRunAfterIt)
{
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

TEST_F(ResizeLayoutTest, OtherControlsKeepTheirDesignedPlaces)
{
    nativeWindow().userResize(1300, 900);
    auto window = mainWindow();
    for (auto [name, left] : { std::pair { "BevelButton1", 7 }, { "BevelButton2", 90 }, { "BevelButton3", 330 },
             { "TextField1", 639 }, { "HTMLViewer2", 974 } })
        EXPECT_EQ(dynamic_cast<cl::RectControl&>(*window->controlNamed(name)).Left(), left) << name;
}

// Opening: "Open" sizes the window and the view, and the run that follows it,
// before the window is shown, lays out the rest.
class OpeningLayoutTest : public ProgramTest {
protected:
    void saveGeometry(const char* top, const char* left, const char* height, const char* width)
    {
        config.write("quillmere-top.txt", top);
        config.write("quillmere-left.txt", left);
        config.write("quillmere-height.txt", height);
        config.write("quillmere-width.txt", width);
    }

    Layout openedLayout()
    {
        EXPECT_FALSE(beforeResizedRuns.empty());
        return beforeResizedRuns.empty() ? Layout {} : LayoutOf(beforeResizedRuns.front());
    }
    Layout layout() { return LayoutOf(snapshot()); }
};

TEST_F(OpeningLayoutTest, TheDefaultSizeIsLaidOutBeforeTheWindowShows)
{
    startProgram();
    EXPECT_EQ(openedLayout(), (Layout { { 210, 100, 1020, 700 }, 1010, 650, 595, 221 }));
    EXPECT_FALSE(beforeResizedRuns.at(0).shown);
    EXPECT_EQ(layout(), (Layout { { 210, 100, 1020, 700 }, 1020, 650, 974, 1020 }));
    EXPECT_EQ(button("BevelButton5").geometry, (platform::Rect { 974, 7, 38, 23 }));
    EXPECT_TRUE(nativeWindow().shown);

    // Width and height were both set: one run, not one per write.
    const std::vector<std::string> expected { "event Open", "event Resized" };
    std::vector<std::string> events;
    std::copy_if(milestones.begin(), milestones.end(), std::back_inserter(events),
        [](const std::string& milestone) { return milestone.starts_with("event O") || milestone == "event Resized"; });
    EXPECT_EQ(events, expected);
    settle();
    EXPECT_EQ(beforeResizedRuns.size(), 1u);
}

TEST_F(OpeningLayoutTest, ANarrowRestoredWindowHasTheHelpButtonInSight)
{
    saveGeometry("100", "100", "550", "600");
    startProgram();
    // Where "Open" leaves it, the button would end past the right edge.
    EXPECT_EQ(openedLayout(), (Layout { { 100, 100, 600, 550 }, 590, 500, 595, 221 }));
    EXPECT_EQ(layout(), (Layout { { 100, 100, 600, 550 }, 600, 500, 554, 600 }));
}

TEST_F(OpeningLayoutTest, ARestoredWindowBelowTheFloorIsFlooredByTheRunAfterOpening)
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
