#include "ProgramFixture.h"

#include "unit/Watchdog.h"

#include "mainwindow/GeometryFiles.h"

#include "classlib/DiskSync.h"
#include "classlib/TextField.h"

#include <array>
#include <csignal>
#include <fstream>
#include <iostream>
#include <sstream>
#include <sys/resource.h>
#include <sys/stat.h>

using testing_support::ProgramTest;

namespace {

TEST(GeometryValueTest, AFileHoldsOneFiniteNumberWithOnlyBlanksAndLineEndsAroundIt)
{
    using mainwindow::GeometryValueOfText;
    EXPECT_EQ(GeometryValueOfText("0"), 0);
    EXPECT_EQ(GeometryValueOfText("-2147483648"), std::numeric_limits<std::int32_t>::min());
    EXPECT_EQ(GeometryValueOfText("  \t120"), 120);
    EXPECT_EQ(GeometryValueOfText("\r\n150\r\n"), 150);
    EXPECT_EQ(GeometryValueOfText("+7 "), 7);
    EXPECT_EQ(GeometryValueOfText("80.9"), 80);
    EXPECT_EQ(GeometryValueOfText(std::string(200, ' ') + "1e3" + std::string(53, '\n')), 1000);
    for (const char* unusable : { "", " \n", "nan", "inf", "-inf", "1e400", "12 13", "12px", "+-5", "0x10", "\v12" })
        EXPECT_EQ(GeometryValueOfText(unusable), std::nullopt) << unusable;
    EXPECT_EQ(GeometryValueOfText(std::string(200, ' ') + "1e3" + std::string(54, '\n')), std::nullopt);
}

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
    EXPECT_EQ(viewerRect(), (platform::Rect { 0, 35, 1010, 650 }));
    EXPECT_EQ(nativeWindow().left, 210);
    EXPECT_EQ(nativeWindow().width, 1020);
    EXPECT_EQ(dynamic_cast<cl::TextField&>(*mainWindow()->controlNamed("TextField1")).Text(), "quillmere");
    EXPECT_EQ(webView("HTMLViewer1").calls, std::vector<std::string> { "loadURL http://www.facebook.com" });
    // Open moves neither the "?" button nor the separator.
    EXPECT_EQ(dynamic_cast<cl::RectControl&>(*mainWindow()->controlNamed("BevelButton5")).Left(), 595);
    EXPECT_EQ(dynamic_cast<cl::RectControl&>(*mainWindow()->controlNamed("Separator1")).Width(), 221);
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
    testing::internal::CaptureStderr();
    closeWindow();
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "");

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
    EXPECT_EQ(viewerRect(), (platform::Rect { 0, 35, 790, 550 }));
}

TEST_F(WindowGeometryTest, PartlyOffScreenAndSmallValuesAreRestoredAsReadAndReplacedWholeAtClose)
{
    saveGeometry("-40", "-100", "300", "250\n");
    startProgram();
    // No floor and no clamping at opening.
    EXPECT_EQ(windowRect(), (platform::Rect { -100, -40, 250, 300 }));

    closeWindow();
    EXPECT_EQ(config.read("quillmere-top.txt"), "-40");
    EXPECT_EQ(config.read("quillmere-left.txt"), "-100");
    EXPECT_EQ(config.read("quillmere-height.txt"), "300");
    EXPECT_EQ(config.read("quillmere-width.txt"), "250");
}

TEST_F(WindowGeometryTest, ValuesWithBlanksAndLineEndsAroundThemOrOfOneDigitAreRestoredAsRead)
{
    struct Case {
        const char *top, *left, *height, *width;
        platform::Rect restored;
    };
    const Case cases[] = {
        { "0", "0", "600", "800", { 0, 0, 800, 600 } },
        { "\n150", "  \t80", "\r\n600\r\n", "   800 ", { 80, 150, 800, 600 } },
        // As large as the screen, but no larger.
        { "0", "0", "900", "1440", { 0, 0, 1440, 900 } },
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.top);
        saveGeometry(c.top, c.left, c.height, c.width);
        startProgram();
        EXPECT_EQ(windowRect(), c.restored);
        program::finalize();
        rt::RuntimeExit();
        started = false;
    }
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
        std::vector<std::pair<const char*, std::string>> files;
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
        { "a left edge on the screen's right edge", { { "quillmere-top.txt", "100" }, { "quillmere-left.txt", "1440" },
                                                        { "quillmere-height.txt", "600" }, { "quillmere-width.txt", "800" } } },
        { "a top edge on the screen's bottom edge", { { "quillmere-top.txt", "900" }, { "quillmere-left.txt", "80" },
                                                        { "quillmere-height.txt", "600" }, { "quillmere-width.txt", "800" } } },
        { "not a finite number", { { "quillmere-top.txt", "120" }, { "quillmere-left.txt", "80" },
                                     { "quillmere-height.txt", "nan" }, { "quillmere-width.txt", "inf" } } },
        { "minus infinity", { { "quillmere-top.txt", "-inf" }, { "quillmere-left.txt", "80" },
                                { "quillmere-height.txt", "600" }, { "quillmere-width.txt", "800" } } },
        { "a size far beyond the screen", { { "quillmere-top.txt", "0" }, { "quillmere-left.txt", "0" },
                                              { "quillmere-height.txt", "100000" }, { "quillmere-width.txt", "100000" } } },
        { "a width of 1e9", { { "quillmere-top.txt", "0" }, { "quillmere-left.txt", "0" },
                                { "quillmere-height.txt", "600" }, { "quillmere-width.txt", "1e9" } } },
        { "one pixel wider than the screen", { { "quillmere-top.txt", "0" }, { "quillmere-left.txt", "0" },
                                                 { "quillmere-height.txt", "600" }, { "quillmere-width.txt", "1441" } } },
        { "a kilobyte of blanks around the number", { { "quillmere-top.txt", std::string(1024, ' ') + "120" },
                                                         { "quillmere-left.txt", "80" }, { "quillmere-height.txt", "600" },
                                                         { "quillmere-width.txt", "800" } } },
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        for (const char* name : { "quillmere-top.txt", "quillmere-left.txt", "quillmere-height.txt", "quillmere-width.txt" })
            std::filesystem::remove(config.path() / name);
        for (const auto& [name, contents] : c.files)
            config.write(name, contents);
        startProgram();
        EXPECT_EQ(windowRect(), (platform::Rect { 210, 100, 1020, 700 }));
        EXPECT_EQ(viewerRect(), (platform::Rect { 0, 35, 1010, 650 }));
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

TEST_F(WindowGeometryTest, AWindowAsLargeAsAllScreensTogetherIsRestoredButNoLarger)
{
    const std::vector<platform::Rect> screens { { 0, 0, 1440, 900 }, { 1440, 0, 1280, 1024 } };
    const std::pair<std::array<const char*, 4>, platform::Rect> cases[] = {
        { { "0", "0", "1024", "2720" }, { 0, 0, 2720, 1024 } },
        { { "0", "0", "1024", "2721" }, { 210, 100, 1020, 700 } },
        { { "0", "0", "1025", "2720" }, { 210, 100, 1020, 700 } },
    };
    for (const auto& [files, expected] : cases) {
        SCOPED_TRACE(files[3]);
        saveGeometry(files[0], files[1], files[2], files[3]);
        startOnScreens(screens);
        EXPECT_EQ(windowRect(), expected);
        program::finalize();
        rt::RuntimeExit();
        started = false;
    }
}

TEST_F(WindowGeometryTest, AGeometryFileThatIsNoSmallRegularFileGivesTheDefaultWithoutBlockingOrFillingMemory)
{
    const std::pair<const char*, std::function<void(const std::filesystem::path&)>> cases[] = {
        { "a fifo", [](const std::filesystem::path& file) { ASSERT_EQ(::mkfifo(file.c_str(), 0600), 0); } },
        { "a link to /dev/zero", [](const std::filesystem::path& file) { std::filesystem::create_symlink("/dev/zero", file); } },
        { "a folder", [](const std::filesystem::path& file) { std::filesystem::create_directory(file); } },
        { "a gigabyte of nothing", [](const std::filesystem::path& file) {
             std::ofstream(file) << "";
             std::filesystem::resize_file(file, std::uintmax_t(1) << 30);
         } },
    };
    for (const char* placed : { "quillmere-top.txt", "quillmere-width.txt" }) {
        for (const auto& [what, make] : cases) {
            SCOPED_TRACE(std::string(what) + " as " + placed);
            saveGeometry("120", "80", "600", "800");
            std::filesystem::remove(config.path() / placed);
            make(config.path() / placed);
            {
                testing_support::Watchdog watchdog(3);
                startProgram();
            }
            EXPECT_EQ(windowRect(), (platform::Rect { 210, 100, 1020, 700 }));
            program::finalize();
            rt::RuntimeExit();
            started = false;
            std::filesystem::remove_all(config.path() / placed);
        }
    }
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
    EXPECT_NE(report.find("Is a directory"), std::string::npos) << report;
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

TEST_F(WindowGeometryTest, AWriteThatFailsIsReportedWithTheSystemsReasonAndKeepsTheOldFiles)
{
    saveGeometry("10", "20", "600", "800");
    startProgram();

    // No file may grow past one byte: every value's second byte fails to be
    // written. The report goes to memory, which the limit doesn't reach.
    std::ostringstream report;
    std::streambuf* const stderrBuffer = std::cerr.rdbuf(report.rdbuf());
    const auto previousHandler = std::signal(SIGXFSZ, SIG_IGN);
    rlimit previousLimit {};
    ::getrlimit(RLIMIT_FSIZE, &previousLimit);
    rlimit limit = previousLimit;
    limit.rlim_cur = 1;
    ::setrlimit(RLIMIT_FSIZE, &limit);
    closeWindow();
    ::setrlimit(RLIMIT_FSIZE, &previousLimit);
    std::signal(SIGXFSZ, previousHandler);
    std::cerr.rdbuf(stderrBuffer);

    for (const char* name : { "quillmere-top.txt", "quillmere-left.txt", "quillmere-height.txt", "quillmere-width.txt" })
        EXPECT_NE(report.str().find(std::string(name) + ") to "), std::string::npos) << name << "\n" << report.str();
    EXPECT_NE(report.str().find("File too large"), std::string::npos) << report.str();
    EXPECT_EQ(config.read("quillmere-top.txt"), "10");
    EXPECT_EQ(config.read("quillmere-width.txt"), "800");
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(config.path()), {}), 4);
    EXPECT_TRUE(rt::RuntimeQuitRequested());
}

TEST_F(WindowGeometryTest, ClosingRemovesOnlyTheTemporaryFilesAnInterruptedCloseLeftBehind)
{
    startProgram();
    const std::vector<std::string> leftovers { ".quillmere-top.txt.a1B2c3", ".quillmere-width.txt.ZZZZZZ" };
    const std::vector<std::string> others { ".quillmere-top.txt.a1B2c", ".quillmere-top.txt.a1B2c34", "quillmere-top.txt.a1B2c3",
        ".quillmere-top.txt.a1B-c3", ".other.txt.a1B2c3", ".quillmere-top.txtXa1B2c3" };
    for (const auto& name : leftovers)
        config.write(name, "5");
    for (const auto& name : others)
        config.write(name, "5");

    closeWindow();

    for (const auto& name : leftovers)
        EXPECT_FALSE(config.exists(name)) << name;
    for (const auto& name : others)
        EXPECT_TRUE(config.exists(name)) << name;
    EXPECT_EQ(config.read("quillmere-top.txt"), "100");
}

TEST_F(WindowGeometryTest, TheFourNewFilesAreAllWrittenBeforeEachIsRenamedAndTheFolderSyncedInTurn)
{
    saveGeometry("1", "2", "3", "4");
    startProgram();
    auto window = mainWindow();
    window->setTop(120);
    window->setLeft(80);
    window->setHeight(600);
    window->setWidth(800);
    window = nullptr;

    // What each sync sees: a file or the preferences folder, and the values in
    // the four files' places at that moment.
    struct stat folder {};
    ASSERT_EQ(::stat(config.path().c_str(), &folder), 0);
    std::vector<std::string> syncs;
    cl::WatchDiskSyncs([&](int descriptor) {
        struct stat synced {};
        ::fstat(descriptor, &synced);
        std::string seen = S_ISDIR(synced.st_mode) ? (synced.st_ino == folder.st_ino ? "folder" : "other folder") : "file";
        for (const char* name : { "quillmere-top.txt", "quillmere-left.txt", "quillmere-height.txt", "quillmere-width.txt" })
            seen += " " + config.read(name);
        syncs.push_back(seen);
    });
    closeWindow();
    cl::WatchDiskSyncs({});

    EXPECT_EQ(syncs, (std::vector<std::string> {
                         "file 1 2 3 4",
                         "file 1 2 3 4",
                         "file 1 2 3 4",
                         "file 1 2 3 4",
                         "folder 120 2 3 4",
                         "folder 120 80 3 4",
                         "folder 120 80 600 4",
                         "folder 120 80 600 800",
                     }));
}

} // namespace
