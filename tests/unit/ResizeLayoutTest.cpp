#include "ProgramFixture.h"

using testing_support::ProgramTest;

namespace {

class ResizeLayoutTest : public ProgramTest {
protected:
    void SetUp() override
    {
        ProgramTest::SetUp();
        startProgram();
    }

    struct Layout {
        platform::Rect window;
        std::int32_t viewerWidth, viewerHeight, buttonLeft, separatorWidth;
        friend bool operator==(const Layout&, const Layout&) = default;
    };

    Layout layout()
    {
        auto window = mainWindow();
        auto control = [&](const char* name) -> cl::RectControl& {
            return dynamic_cast<cl::RectControl&>(*window->controlNamed(name));
        };
        return { { window->Left(), window->Top(), window->Width(), window->Height() }, control("HTMLViewer1").Width(),
            control("HTMLViewer1").Height(), control("BevelButton5").Left(), control("Separator1").Width() };
    }
};

TEST_F(ResizeLayoutTest, AboveTheFloorTheViewerTakesTheFullWidth)
{
    nativeWindow().userResize(800, 600);
    EXPECT_EQ(layout(), (Layout { { 210, 100, 800, 600 }, 800, 550, 754, 800 }));
    EXPECT_EQ(webView("HTMLViewer1").geometry, (platform::Rect { 0, 35, 800, 550 }));

    nativeWindow().userResize(500, 500);
    EXPECT_EQ(layout(), (Layout { { 210, 100, 500, 500 }, 500, 450, 454, 500 }));
}

TEST_F(ResizeLayoutTest, TooNarrowIsWidenedToTheFloorAndTheViewerStopsShortOfTheEdge)
{
    nativeWindow().userResize(499, 600);
    EXPECT_EQ(layout(), (Layout { { 210, 100, 500, 600 }, 490, 550, 454, 500 }));
    EXPECT_EQ(nativeWindow().width, 500);
}

TEST_F(ResizeLayoutTest, TooLowIsRaisedToTheFloorAndAlsoNarrowsTheViewer)
{
    nativeWindow().userResize(800, 499);
    EXPECT_EQ(layout(), (Layout { { 210, 100, 800, 500 }, 790, 450, 754, 800 }));
    EXPECT_EQ(nativeWindow().height, 500);
}

TEST_F(ResizeLayoutTest, TheDesignedMinimumIsLiftedToTheFloorInBothDirections)
{
    testing::internal::CaptureStderr();
    nativeWindow().userResize(64, 64);
    const std::string report = testing::internal::GetCapturedStderr();
    EXPECT_EQ(layout(), (Layout { { 210, 100, 500, 500 }, 490, 450, 454, 500 }));
    EXPECT_EQ(report, "");
}

TEST_F(ResizeLayoutTest, OtherControlsKeepTheirDesignedPlaces)
{
    nativeWindow().userResize(1300, 900);
    auto window = mainWindow();
    for (auto [name, left] : { std::pair { "BevelButton1", 7 }, { "BevelButton2", 90 }, { "BevelButton3", 330 },
             { "TextField1", 639 }, { "HTMLViewer2", 974 } })
        EXPECT_EQ(dynamic_cast<cl::RectControl&>(*window->controlNamed(name)).Left(), left) << name;
}

} // namespace
