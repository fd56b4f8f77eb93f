#include "ProgramFixture.h"

#include "unit/Watchdog.h"

#include "mainwindow/GeometryFiles.h"

#include "classlib/DiskSync.h"
#include "classlib/TextField.h"

#include <array>
#include <csignal>
#include <fstream>
#include <optional>
#include <iostream>
#include <sstream>
#include <sys/resource.h>
#include <tuple>
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
    static constexpr std::array<const char*, 4> kFiles { "quillmere-top.txt", "quillmere-left.txt", "quillmere-height.txt",
        "quillmere-width.txt" };

    // Top, left, height and width; a file given no text is removed.
    void saveGeometry(const std::array<std::optional<std::string>, 4>& values)
    {
        for (std::size_t i = 0; i < kFiles.size(); ++i) {
            std::filesystem::remove(config.path() / kFiles[i]);
            if (values[i])
                config.write(kFiles[i], *values[i]);
        }
    }

    // Ends the run as the program's main function does, so the next test
    // case can start another.
    void stopProgram()
    {
        program::finalize();
        rt::RuntimeExit();
        started = false;
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

    void placeWindow(std::int32_t top, std::int32_t left, std::int32_t height, std::int32_t width)
    {
        auto window = mainWindow();
        window->setTop(top);
        window->setLeft(left);
        window->setHeight(height);
        window->setWidth(width);
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
    placeWindow(120, 80, 600, 800);
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

    stopProgram();
    startProgram();
    EXPECT_EQ(windowRect(), (platform::Rect { 80, 120, 800, 600 }));
    EXPECT_EQ(beforeResizedRuns.at(0).controls.at("HTMLViewer1"), (platform::Rect { 0, 35, 790, 550 }));
    EXPECT_EQ(viewerRect(), (platform::Rect { 0, 35, 800, 550 }));
}

TEST_F(WindowGeometryTest, PartlyOffScreenAndSmallValuesAreRestoredAsReadAndReplacedWholeAtClose)
{
    saveGeometry({ "-40", "-100", "300", "250\n" });
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

TEST_F(WindowGeometryTest, ValuesOfOneDigitOrAmidBlanksAreRestoredAsReadUpToTheSizeOfAllScreensTogether)
{
    const std::vector<platform::Rect> oneScreen { { 0, 0, 1440, 900 } };
    const std::vector<platform::Rect> twoScreens { { 0, 0, 1440, 900 }, { 1440, 0, 1280, 1024 } };
    const platform::Rect byDefault { 210, 100, 1020, 700 };
    const std::tuple<std::vector<platform::Rect>, std::array<std::optional<std::string>, 4>, platform::Rect> cases[] = {
        { oneScreen, { "0", "0", "600", "800" }, { 0, 0, 800, 600 } },
        { oneScreen, { "\n150", "  \t80", "\r\n600\r\n", "   800 " }, { 80, 150, 800, 600 } },
        { oneScreen, { "0", "0", "900", "1440" }, { 0, 0, 1440, 900 } },
        { twoScreens, { "0", "0", "1024", "2720" }, { 0, 0, 2720, 1024 } },
        { twoScreens, { "0", "0", "1024", "2721" }, byDefault },
        { twoScreens, { "0", "0", "1025", "2720" }, byDefault },
    };
    for (const auto& [screens, values, expected] : cases) {
        SCOPED_TRACE(*values[0] + " " + *values[1] + " " + *values[2] + " " + *values[3]);
        saveGeometry(values);
        startOnScreens(screens);
        EXPECT_EQ(windowRect(), expected);
        stopProgram();
    }
}

TEST_F(WindowGeometryTest, WithoutTheTopFileTheOtherFilesAreIgnored)
{
    saveGeometry({ std::nullopt, "80", "600", "800" });
    startProgram();
    EXPECT_EQ(windowRect(), (platform::Rect { 210, 100, 1020, 700 }));
}

TEST_F(WindowGeometryTest, IncompleteOrUnusableSavedGeometryFallsBackToTheDefaultAndStillLoadsThePage)
{
    const std::pair<const char*, std::array<std::optional<std::string>, 4>> cases[] = {
        { "only the top file", { "120", std::nullopt, std::nullopt, std::nullopt } },
        { "a missing width", { "120", "80", "600", std::nullopt } },
        { "text that is no number", { "120", "eighty", "600", "800" } },
        { "an empty file", { "", "80", "600", "800" } },
        { "a zero width", { "120", "80", "600", "0" } },
        { "a monitor that is gone", { "100", "3000", "600", "800" } },
        { "a left edge on the screen's right edge", { "100", "1440", "600", "800" } },
        { "a top edge on the screen's bottom edge", { "900", "80", "600", "800" } },
        { "not a finite number", { "120", "80", "nan", "inf" } },
        { "minus infinity", { "-inf", "80", "600", "800" } },
        { "a size far beyond the screen", { "0", "0", "100000", "100000" } },
        { "a width of 1e9", { "0", "0", "600", "1e9" } },
        { "one pixel wider than the screen", { "0", "0", "600", "1441" } },
        { "a kilobyte of blanks around the number", { std::string(1024, ' ') + "120", "80", "600", "800" } },
    };
    for (const auto& [what, values] : cases) {
        SCOPED_TRACE(what);
        saveGeometry(values);
        startProgram();
        EXPECT_EQ(windowRect(), (platform::Rect { 210, 100, 1020, 700 }));
        EXPECT_EQ(viewerRect(), (platform::Rect { 0, 35, 1020, 650 }));
        EXPECT_EQ(webView("HTMLViewer1").calls, std::vector<std::string> { "loadURL http://www.facebook.com" });
        stopProgram();
    }
}

TEST_F(WindowGeometryTest, AWindowOnASecondScreenIsRestoredThere)
{
    saveGeometry({ "100", "-1200", "600", "800" });
    startOnScreens({ { 0, 0, 1440, 900 }, { -1280, 0, 1280, 1024 } });
    EXPECT_EQ(windowRect(), (platform::Rect { -1200, 100, 800, 600 }));
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
            saveGeometry({ "120", "80", "600", "800" });
            std::filesystem::remove(config.path() / placed);
            make(config.path() / placed);
            {
                testing_support::Watchdog watchdog(3);
                startProgram();
            }
            EXPECT_EQ(windowRect(), (platform::Rect { 210, 100, 1020, 700 }));
            stopProgram();
            std::filesystem::remove_all(config.path() / placed);
        }
    }
}

TEST_F(WindowGeometryTest, AFileThatCannotBeCreatedIsReportedTheOthersAreWrittenAndTheProgramStillQuits)
{
    saveGeometry({ "10", "20", "600", "800" });
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
    saveGeometry({ "10", "20", "600", "800" });
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

    for (const char* name : kFiles)
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
    saveGeometry({ "1", "2", "3", "4" });
    startProgram();
    placeWindow(120, 80, 600, 800);

    // What each sync sees: a file or the preferences folder, and the values in
    // the four files' places at that moment.
    struct stat folder {};
    ASSERT_EQ(::stat(config.path().c_str(), &folder), 0);
    std::vector<std::string> syncs;
    cl::WatchDiskSyncs([&](int descriptor) {
        struct stat synced {};
        ::fstat(descriptor, &synced);
        std::string seen = S_ISDIR(synced.st_mode) ? (synced.st_ino == folder.st_ino ? "folder" : "other folder") : "file";
        for (const char* name : kFiles)
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
