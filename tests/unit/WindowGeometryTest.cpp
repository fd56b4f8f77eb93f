#include "ProgramFixture.h"

#include "classlib/TextField.h"

#include <fstream>

using testing_support::ProgramTest;

namespace {

class WindowGeometryTest : public ProgramTest {
protected:
    void saveGeometry(const std::string& top, const std::string& left, const std::string& height, const std::string& width)
    {
        config.write("quillmere-top.txt", top);
        config.write("quillmere-left.txt", left);
        config.write("quillmere-height.txt", height);
        config.write("quillmere-width.txt", width);
    }

    void startOnScreens(std::vector<platform::Rect> screens)
    {
        startProgram([screens](headless::HeadlessPlatform& platform) { platform.screenRects = screens; });
    }

    platform::Rect windowRect()
    {
        auto window = mainWindow();
        return { window->Left(), window->Top(), window->Width(), window->Height() };
    }

    platform::Rect viewerRect()
    {
        auto& viewer = dynamic_cast<cl::RectControl&>(*mainWindow()->controlNamed("HTMLViewer1"));
        return { viewer.Left(), viewer.Top(), viewer.Width(), viewer.Height() };
    }

    void closeWindow() { nativeWindow().userClose(); }
};

TEST_F(WindowGeometryTest, FirstRunOpensAtTheDefaultSizeCentredOnTheFirstScreen)
{
    startProgram();
    EXPECT_EQ(windowRect(), (platform::Rect { 210, 100, 1020, 700 }));
    EXPECT_EQ(nativeWindow().left, 210);
    EXPECT_EQ(nativeWindow().width, 1020);
    EXPECT_EQ(dynamic_cast<cl::TextField&>(*mainWindow()->controlNamed("TextField1")).Text(), "quillmere");
    EXPECT_EQ(webView("HTMLViewer1").calls, std::vector<std::string> { "loadURL http://www.facebook.com" });
    // Open sizes the view and moves neither the "?" button nor the separator;
    // the resize run after it lays them out.
    ASSERT_EQ(beforeResizedRuns.size(), 1u);
    EXPECT_EQ(beforeResizedRuns[0].controls.at("HTMLViewer1"), (platform::Rect { 0, 35, 1010, 650 }));
    EXPECT_EQ(beforeResizedRuns[0].controls.at("BevelButton5").left, 595);
    EXPECT_EQ(beforeResizedRuns[0].controls.at("Separator1").width, 221);
    EXPECT_EQ(viewerRect(), (platform::Rect { 0, 35, 1020, 650 }));
}

TEST_F(WindowGeometryTest, CentringOnAScreenSmallerThanTheWindowGivesNegativeEdgesAndDropsHalfPixels)
{
    startOnScreens({ { 0, 0, 800, 600 } });
    EXPECT_EQ(windowRect(), (platform::Rect { -110, -50, 1020, 700 }));
}

TEST_F(WindowGeometryTest, HalfAPixelOfCentringIsDropped)
{
    startOnScreens({ { 0, 0, 1365, 768 } });
    EXPECT_EQ(windowRect().left, 172); // 682.5 - 510
}

TEST_F(WindowGeometryTest, ClosingWritesTheFourFilesAndTheNextOpeningRestoresThem)
{
    startProgram();
    auto window = mainWindow();
    window->setTop(120);
    window->setLeft(80);
    window->setHeight(600);
    window->setWidth(800);
    window = nullptr;
    closeWindow();

    EXPECT_TRUE(rt::RuntimeQuitRequested());
    EXPECT_EQ(config.read("quillmere-top.txt"), "120");
    EXPECT_EQ(config.read("quillmere-left.txt"), "80");
    EXPECT_EQ(config.read("quillmere-height.txt"), "600");
    EXPECT_EQ(config.read("quillmere-width.txt"), "800");
    // Nothing else is left in the folder: no temporary files.
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(config.path()), {}), 4);

    program::finalize();
    rt::RuntimeExit();
    startProgram();
    EXPECT_EQ(windowRect(), (platform::Rect { 80, 120, 800, 600 }));
    EXPECT_EQ(beforeResizedRuns.at(0).controls.at("HTMLViewer1"), (platform::Rect { 0, 35, 790, 550 }));
    EXPECT_EQ(viewerRect(), (platform::Rect { 0, 35, 800, 550 }));
}

TEST_F(WindowGeometryTest, PartlyOffScreenAndSmallValuesAreRestoredAsReadAndReplacedWholeAtClose)
{
    saveGeometry("-40", "-100", "300", "250\n");
    startProgram();
    // Open neither clamps nor floors; the resize run after it floors the size.
    EXPECT_EQ(beforeResizedRuns.at(0).window, (platform::Rect { -100, -40, 250, 300 }));
    EXPECT_EQ(windowRect(), (platform::Rect { -100, -40, 500, 500 }));

    closeWindow();
    EXPECT_EQ(config.read("quillmere-top.txt"), "-40");
    EXPECT_EQ(config.read("quillmere-left.txt"), "-100");
    EXPECT_EQ(config.read("quillmere-height.txt"), "500");
    EXPECT_EQ(config.read("quillmere-width.txt"), "500");
}

TEST_F(WindowGeometryTest, WithoutTheTopFileTheOtherFilesAreIgnored)
{
    config.write("quillmere-left.txt", "80");
    config.write("quillmere-height.txt", "600");
    config.write("quillmere-width.txt", "800");
    startProgram();
    EXPECT_EQ(windowRect(), (platform::Rect { 210, 100, 1020, 700 }));
}

TEST_F(WindowGeometryTest, IncompleteOrUnusableSavedGeometryFallsBackToTheDefaultAndStillLoadsThePage)
{
    struct Case {
        const char* what;
        std::vector<std::pair<const char*, const char*>> files;
    };
    const Case cases[] = {
        { "only the top file", { { "quillmere-top.txt", "120" } } },
        { "a missing width", { { "quillmere-top.txt", "120" }, { "quillmere-left.txt", "80" }, { "quillmere-height.txt", "600" } } },
        { "text that is no number", { { "quillmere-top.txt", "120" }, { "quillmere-left.txt", "eighty" },
                                          { "quillmere-height.txt", "600" }, { "quillmere-width.txt", "800" } } },
        { "an empty file", { { "quillmere-top.txt", "" }, { "quillmere-left.txt", "80" },
                               { "quillmere-height.txt", "600" }, { "quillmere-width.txt", "800" } } },
        { "a zero width", { { "quillmere-top.txt", "120" }, { "quillmere-left.txt", "80" },
                              { "quillmere-height.txt", "600" }, { "quillmere-width.txt", "0" } } },
        { "a monitor that is gone", { { "quillmere-top.txt", "100" }, { "quillmere-left.txt", "3000" },
                                        { "quillmere-height.txt", "600" }, { "quillmere-width.txt", "800" } } },
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        for (const char* name : { "quillmere-top.txt", "quillmere-left.txt", "quillmere-height.txt", "quillmere-width.txt" })
            std::filesystem::remove(config.path() / name);
        for (auto [name, contents] : c.files)
            config.write(name, contents);
        startProgram();
        EXPECT_EQ(windowRect(), (platform::Rect { 210, 100, 1020, 700 }));
        EXPECT_EQ(viewerRect(), (platform::Rect { 0, 35, 1020, 650 }));
        EXPECT_EQ(webView("HTMLViewer1").calls, std::vector<std::string> { "loadURL http://www.facebook.com" });
        program::finalize();
        rt::RuntimeExit();
        started = false;
    }
}

TEST_F(WindowGeometryTest, AWindowOnASecondScreenIsRestoredThere)
{
    saveGeometry("100", "-1200", "600", "800");
    startOnScreens({ { 0, 0, 1440, 900 }, { -1280, 0, 1280, 1024 } });
    EXPECT_EQ(windowRect(), (platform::Rect { -1200, 100, 800, 600 }));
}

TEST_F(WindowGeometryTest, AFileThatCannotBeCreatedIsReportedTheOthersAreWrittenAndTheProgramStillQuits)
{
    saveGeometry("10", "20", "600", "800");
    startProgram();
    // A folder where the left file should be: it can't be replaced.
    std::filesystem::remove(config.path() / "quillmere-left.txt");
    std::filesystem::create_directory(config.path() / "quillmere-left.txt");

    testing::internal::CaptureStderr();
    closeWindow();
    const std::string report = testing::internal::GetCapturedStderr();

    EXPECT_NE(report.find("quillmere-left.txt"), std::string::npos) << report;
    EXPECT_EQ(config.read("quillmere-top.txt"), "10");
    EXPECT_EQ(config.read("quillmere-height.txt"), "600");
    EXPECT_EQ(config.read("quillmere-width.txt"), "800");
    EXPECT_TRUE(rt::RuntimeQuitRequested());
}

TEST_F(WindowGeometryTest, WithoutAPreferencesFolderClosingReportsItAndStillQuits)
{
    startProgram();
    // XDG_CONFIG_HOME naming a file: no folder can be had there.
    std::filesystem::remove_all(config.path());
    std::ofstream(config.path()) << "not a folder";

    testing::internal::CaptureStderr();
    closeWindow();
    const std::string report = testing::internal::GetCapturedStderr();

    EXPECT_NE(report.find("preferences folder"), std::string::npos) << report;
    EXPECT_TRUE(rt::RuntimeQuitRequested());
    std::filesystem::remove(config.path());
}

TEST_F(WindowGeometryTest, ClosingStoresTheGeometryTheWindowHadWhenTheHandlerBegan)
{
    startProgram();
    nativeWindow().userMove(-30, 5);
    nativeWindow().userResize(64, 64); // the resize floor brings it back to 500 × 500
    closeWindow();
    EXPECT_EQ(config.read("quillmere-left.txt"), "-30");
    EXPECT_EQ(config.read("quillmere-top.txt"), "5");
    EXPECT_EQ(config.read("quillmere-width.txt"), "500");
    EXPECT_EQ(config.read("quillmere-height.txt"), "500");
}

} // namespace
