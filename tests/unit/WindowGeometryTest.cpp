#include "ProgramFixture.h"

#include "support/CapturedStderr.h"
#include "support/FileSizeLimit.h"
#include "support/Watchdog.h"

#include "mainwindow/GeometryFiles.h"

#include "classlib/DiskSync.h"

#include <algorithm>
#include <cerrno>
#include <fstream>
#include <sys/stat.h>

using testing_support::ProgramTest;

namespace {

TEST(GeometryValueTest, AFileHoldsOneFiniteNumberWithOnlyBlanksAndLineEndsAroundIt)
{
    using mainwindow::GeometryValueOfText;
    EXPECT_EQ(GeometryValueOfText("-2147483648"), std::numeric_limits<std::int32_t>::min());
    EXPECT_EQ(GeometryValueOfText("+7 "), 7);
    EXPECT_EQ(GeometryValueOfText("80.9"), 80);
    EXPECT_EQ(GeometryValueOfText(std::string(200, ' ') + "1e3" + std::string(53, '\n')), 1000);
    for (const char* unusable : { "", " \n", "nan", "inf", "-inf", "1e400", "12 13", "12px", "+-5", "0x10", "\v12" })
        EXPECT_EQ(GeometryValueOfText(unusable), std::nullopt) << unusable;
    EXPECT_EQ(GeometryValueOfText(std::string(200, ' ') + "1e3" + std::string(54, '\n')), std::nullopt);
}

using SavedValues = std::array<std::optional<std::string>, 4>;

const platform::Rect kDefault { 210, 100, 1020, 700 }; // on the headless 1440 × 900 screen

class WindowGeometryTest : public ProgramTest {
protected:
    // Top, left, height and width as the files hold them.
    std::string savedValues()
    {
        std::string values;
        for (const char* name : kGeometryFiles)
            values += (values.empty() ? "" : " ") + config.read(name);
        return values;
    }

    // What closing reports on standard error.
    std::string closeReporting()
    {
        return testing_support::StderrOf([&] { nativeWindow().userClose(); });
    }
};

TEST_F(WindowGeometryTest, SavedGeometryIsRestoredWhenItFitsTheScreensElseTheDefaultIsCentred)
{
    const std::vector<platform::Rect> twoScreens { { 0, 0, 1440, 900 }, { 1440, 0, 1280, 1024 } };
    const struct {
        SavedValues values;
        platform::Rect expected;
        std::vector<platform::Rect> screens { { 0, 0, 1440, 900 } };
    } cases[] = {
        // None saved: centred on the first screen, half pixels dropped, the
        // top-left corner kept on it when the screen is smaller than the window.
        { {}, { 172, 34, 1020, 700 }, { { 0, 0, 1365, 768 }, { 1365, 0, 1920, 1080 } } },
        { {}, { 2, 0, 1020, 700 }, { { 0, 0, 1024, 600 } } },
        { {}, { 0, 0, 1020, 700 }, { { 0, 0, 800, 600 } } },
        { {}, { 100, 40, 1020, 700 }, { { 100, 40, 800, 600 }, { -1280, 0, 1280, 1024 } } },
        // Wherever the first screen lies: centred on it, the corner kept on it.
        { {}, { 1410, 500, 1020, 700 }, { { 1200, 400, 1440, 900 }, { 0, 0, 1200, 400 } } },
        { {}, { 310, 150, 1020, 700 }, { { 100, 50, 1440, 900 } } },
        { {}, { -1150, 162, 1020, 700 }, { { -1280, 0, 1280, 1024 }, { 0, 0, 1440, 900 } } },
        { {}, { 1202, 400, 1020, 700 }, { { 1200, 400, 1024, 600 } } },
        { { "0", "0", "600", "800" }, { 0, 0, 800, 600 } },
        { { "\n150", "  \t80", "\r\n600\r\n", "   800 " }, { 80, 150, 800, 600 } },
        { { "0", "0", "1024", "2720" }, { 0, 0, 2720, 1024 }, twoScreens },
        { { "100", "-1200", "600", "800" }, { -1200, 100, 800, 600 },
            { { 0, 0, 1440, 900 }, { -1280, 0, 1280, 1024 } } },
        // Partly off the screen and below the floor: as read, then floored.
        { { "-40", "-100", "300", "250\n" }, { -100, -40, 500, 500 } },
        // Wider or taller than all screens together.
        { { "0", "0", "1024", "2721" }, kDefault, twoScreens },
        { { "0", "0", "1025", "2720" }, kDefault, twoScreens },
        // Touching a screen only at its right or bottom edge is being off it.
        { { "100", "1440", "600", "800" }, kDefault },
        { { "900", "80", "600", "800" }, kDefault },
        // Incomplete or unusable; without the top file the others are ignored.
        { { std::nullopt, "80", "600", "800" }, kDefault },
        { { "120", "80", "600", std::nullopt }, kDefault },
        { { "120", "80", "600", "0" }, kDefault },
        // A file is read up to 256 bytes; one byte more makes it unusable.
        { { std::string(253, ' ') + "120", "80", "600", "800" }, { 80, 120, 800, 600 } },
        { { std::string(254, ' ') + "120", "80", "600", "800" }, kDefault },
    };
    for (std::size_t i = 0; i < std::size(cases); ++i) {
        const auto& [values, expected, screens] = cases[i];
        SCOPED_TRACE("case " + std::to_string(i) + ": " + testing::PrintToString(values));
        saveGeometry(values);
        startProgram([&](platform::headless::PlatformHeadless& platform) { platform.screenRects = screens; });
        EXPECT_EQ(snapshot().window, expected);
        EXPECT_EQ(webView("HTMLViewer1").calls, std::vector<std::string> { "loadURL http://www.facebook.com" });
        stopProgram();
    }
}

TEST_F(WindowGeometryTest, NoSmallRegularGeometryFileGivesTheDefaultWithoutHangOrMemoryGrowth)
{
    const std::pair<const char*, std::function<void(const std::filesystem::path&)>> cases[] = {
        { "a fifo", [](const auto& file) { ASSERT_EQ(::mkfifo(file.c_str(), 0600), 0); } },
        { "a link to /dev/zero", [](const auto& file) { std::filesystem::create_symlink("/dev/zero", file); } },
        { "a gigabyte of nothing",
            [](const auto& file) {
                std::ofstream(file) << "";
                std::filesystem::resize_file(file, std::uintmax_t(1) << 30);
            } },
    };
    // In the top file's place, the first one opened.
    const auto top = config.path() / "quillmere-top.txt";
    for (const auto& [what, make] : cases) {
        SCOPED_TRACE(what);
        saveGeometry({ std::nullopt, "80", "600", "800" });
        make(top);
        testing_support::Watchdog watchdog(3);
        startProgram();
        EXPECT_EQ(snapshot().window, kDefault);
        stopProgram();
        std::filesystem::remove_all(top);
    }
}

TEST_F(WindowGeometryTest, AFailedSaveIsReportedWithTheSystemsReasonKeepsWhatItCanAndQuits)
{
    saveGeometry({ "10", "20", "600", "800" });
    startProgram();
    // No file may grow past one byte: every value's second byte fails to be written.
    std::string report;
    {
        testing_support::FileSizeLimit oneByte(1);
        report = closeReporting();
    }
    // One whole line for each file, behind the program's name.
    for (const char* name : kGeometryFiles)
        EXPECT_NE(report.find(std::string(program_invocation_short_name) + ": could not save the window's geometry ("
                      + name + ") to " + (config.path() / name).string() + ": File too large\n"),
            std::string::npos)
            << name << "\n"
            << report;
    EXPECT_EQ(std::count(report.begin(), report.end(), '\n'), 4) << report;
    EXPECT_EQ(savedValues(), "10 20 600 800");
    EXPECT_EQ(config.entryCount(), 4);

    // A folder in one file's place, found as its new file is made, and one put in another's while its new file is
    // written, found as it is put in place: the others are still written.
    stopProgram();
    startProgram();
    for (const char* name : { "quillmere-left.txt", "quillmere-width.txt" })
        std::filesystem::remove(config.path() / name);
    std::filesystem::create_directory(config.path() / "quillmere-left.txt");
    cl::WatchDiskSyncs([&](int descriptor) {
        const auto synced = std::filesystem::read_symlink("/proc/self/fd/" + std::to_string(descriptor));
        if (synced.filename().string().starts_with(".quillmere-width.txt"))
            std::filesystem::create_directory(config.path() / "quillmere-width.txt");
    });
    report = closeReporting();
    cl::WatchDiskSyncs({});
    for (const char* name : { "quillmere-left.txt", "quillmere-width.txt" })
        EXPECT_NE(
            report.find("(" + std::string(name) + ") to " + (config.path() / name).string() + ": Is a directory\n"),
            std::string::npos)
            << report;
    EXPECT_EQ(std::count(report.begin(), report.end(), '\n'), 2) << report;
    EXPECT_EQ(savedValues(), "10  600 ");
    EXPECT_EQ(config.entryCount(), 4); // the new left and width files went again
    EXPECT_TRUE(rt::RuntimeQuitRequested());

    // XDG_CONFIG_HOME naming a file: no folder can be had there.
    stopProgram();
    startProgram();
    std::filesystem::remove_all(config.path());
    std::ofstream(config.path()) << "not a folder";
    report = closeReporting();
    EXPECT_NE(report.find("preferences folder"), std::string::npos) << report;
    EXPECT_TRUE(rt::RuntimeQuitRequested());
}

// What a close left when it died goes; a user's own file that looks like one stays.
TEST_F(WindowGeometryTest, ClosingRemovesOnlyTheTemporaryFilesAnInterruptedCloseLeftBehind)
{
    startProgram();
    const std::pair<const char*, bool> files[] = { { ".quillmere-top.txt.quillmere-partial-a1B2c3", false },
        { ".quillmere-width.txt.quillmere-partial-ZZZZZZ", false }, { ".quillmere-top.txt.backup", true },
        { ".quillmere-top.txt.a1B2c3", true }, { ".quillmere-top.txt.quillmere-partial-a1B2c", true },
        { ".quillmere-top.txt.quillmere-partial-a1B2c34", true },
        { "quillmere-top.txt.quillmere-partial-a1B2c3", true }, { ".quillmere-top.txt.quillmere-partial-a1B-c3", true },
        { ".other.txt.quillmere-partial-a1B2c3", true } };
    for (const auto& [name, kept] : files)
        config.write(name, "5");

    nativeWindow().userClose();
    for (const auto& [name, kept] : files)
        EXPECT_EQ(std::filesystem::exists(config.path() / name), kept) << name;
    EXPECT_EQ(config.read("quillmere-top.txt"), "100");
    EXPECT_EQ(config.read(".quillmere-top.txt.backup"), "5");
}

// A rename counts only once the folder is synced, and none may start before every new file is on disk.
TEST_F(WindowGeometryTest, ClosingWritesTheFourFilesThenRenamesEachAndTheNextOpeningRestoresThem)
{
    saveGeometry({ "1", "2", "3", "4" });
    startProgram();
    nativeWindow().userMove(-30, 120);
    nativeWindow().userResize(800, 600);

    // What each sync sees: a file or the preferences folder, and the values in the four files' places at that moment.
    struct stat folder { };
    ASSERT_EQ(::stat(config.path().c_str(), &folder), 0);
    std::vector<std::string> syncs;
    cl::WatchDiskSyncs([&](int descriptor) {
        struct stat synced { };
        ::fstat(descriptor, &synced);
        syncs.push_back(
            (S_ISDIR(synced.st_mode) ? (synced.st_ino == folder.st_ino ? "folder " : "other folder ") : "file ")
            + savedValues());
    });
    EXPECT_EQ(closeReporting(), "");
    cl::WatchDiskSyncs({});

    EXPECT_EQ(syncs,
        (std::vector<std::string> { "file 1 2 3 4", "file 1 2 3 4", "file 1 2 3 4", "file 1 2 3 4", "folder 120 2 3 4",
            "folder 120 -30 3 4", "folder 120 -30 600 4", "folder 120 -30 600 800" }));
    EXPECT_TRUE(rt::RuntimeQuitRequested());
    EXPECT_EQ(config.entryCount(), 4); // no temporary file is left
    stopProgram();
    startProgram();
    EXPECT_EQ(snapshot().window, (platform::Rect { -30, 120, 800, 600 }));
}

// From the default place: a move of the left alone, then of the top alone.
TEST_F(WindowGeometryTest, AMoveAlongOneAxisAloneIsSaved)
{
    for (auto [left, top, saved] : { std::tuple { 300, 100, "100 300 700 1020" }, { 300, 250, "250 300 700 1020" } }) {
        startProgram();
        nativeWindow().userMove(left, top);
        EXPECT_EQ(closeReporting(), "");
        EXPECT_EQ(savedValues(), saved);
        stopProgram();
    }
}

TEST_F(WindowGeometryTest, ASignalToEndClosesTheWindowAsTheUserWouldAndSavesItsPlace)
{
    saveGeometry({ "1", "2", "3", "4" });
    startProgram();
    nativeWindow().userMove(40, 60);
    nativeWindow().userResize(700, 550);
    platform().endSignal();
    EXPECT_EQ(savedValues(), "60 40 550 700");
    EXPECT_TRUE(platform().windows().empty());
    program::finalize();
    EXPECT_EQ(rt::RuntimeExit(), 0); // as a close by the user ends
    started = false;
}

} // namespace
