#include "BackendTestSupport.h"
#include "RecordingClients.h"

#include "backends/gtk/EndSignalsGtk.h"
#include "backends/gtk/WebContextGtk.h"

#include "support/TemporaryConfigHome.h"

#include <sys/wait.h>

#include <algorithm>
#include <csignal>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <limits>
#include <memory>
#include <optional>
#include <string>
#include <vector>

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

// A quarter of the machine's memory, never past 3 GiB. The machine's own is
// compared with what the kernel reports in KiB, so that a slip of units in
// the program's reading shows on any machine, not only on a small one.
TEST(PlatformGtk, AWebProcessMayUseAQuarterOfTheMemoryUpTo3GiB)
{
    for (auto [total, limit] :
        { std::pair { 4096u, 1024u }, { 8000u, 2000u }, { 12288u, 3072u }, { 256u * 1024, 3072u } })
        EXPECT_EQ(platform::gtk::WebProcessMemoryLimitMiB(total), limit) << total;

    std::ifstream meminfo("/proc/meminfo");
    std::uint64_t totalKiB = 0;
    for (std::string name; meminfo >> name && name != "MemTotal:";)
        meminfo.ignore(std::numeric_limits<std::streamsize>::max(), '\n');
    meminfo >> totalKiB;
    ASSERT_GT(totalKiB, 0u);
    EXPECT_EQ(platform::gtk::PhysicalMemoryMiB(), totalKiB / 1024);
    const auto settings = platform::gtk::WebProcessMemorySettings();
    EXPECT_EQ(webkit_memory_pressure_settings_get_memory_limit(settings.get()),
        std::min<std::uint64_t>(3072, totalKiB / 1024 / 4));
}

// A second signal would end the test process, so each is raised only during the close another asked for.
TEST(PlatformGtk, AnEndSignalClosesEveryWindowOnceAndEndsTheProcessTheSecondTime)
{
    const auto handled = [](int signal) {
        struct sigaction now { };
        sigaction(signal, nullptr, &now);
        return now.sa_handler != SIG_DFL;
    };
    for (int first : { SIGTERM, SIGINT, SIGHUP }) {
        SCOPED_TRACE(first);
        RecordingWindowClient one, two;
        std::optional<platform::gtk::EndSignalsGtk> ownWatch;
        std::vector<std::unique_ptr<platform::NativeWindow>> windows;
        if (first == SIGTERM) {
            windows.push_back(sharedPlatform().createWindow(one));
            windows.push_back(sharedPlatform().createWindow(two));
        } else {
            ownWatch.emplace([&] { ++one.closeRequests; });
        }
        std::raise(first);
        EXPECT_EQ(one.closeRequests, 0) << "handed over from the signal handler, not the loop";
        ASSERT_TRUE(runUntil([&] { return one.closeRequests == 1; }, "the close request"));
        EXPECT_FALSE(handled(first));
        for (int other : { SIGTERM, SIGINT, SIGHUP }) {
            if (other == first)
                continue;
            ASSERT_TRUE(handled(other)) << other << " would end the close it came during";
            std::raise(other);
            EXPECT_TRUE(runUntil([&] { return !handled(other); }, "the signal to end the process the second time"))
                << other;
        }
        EXPECT_EQ(one.closeRequests, 1);
        EXPECT_EQ(two.closeRequests, first == SIGTERM ? 1 : 0);
    }
}

// The platform starts once a process, so the start-up runs in a fresh one.
TEST(PlatformGtk, StartUpDropsUnusableXdgFoldersBeforeItProvidesTheEnginesOwn)
{
    if (const char* runFolders = std::getenv("QUILLMERE_TEST_RUN_FOLDERS")) {
        const auto started = platform::CreatePlatform();
        started->initialize();
        const char* cache = std::getenv("XDG_CACHE_HOME");
        ASSERT_TRUE(cache);
        EXPECT_EQ(std::filesystem::path(cache).parent_path().parent_path(), runFolders);
        return;
    }
    const testing_support::TemporaryConfigHome temporary;
    std::filesystem::create_directories(temporary.path() / "home");
    temporary.write("home/.cache", "not a folder");
    const std::string self = std::filesystem::read_symlink("/proc/self/exe").string();
    const std::string command = "QUILLMERE_TEST_RUN_FOLDERS=" + temporary.path().string()
        + " TMPDIR=" + temporary.path().string() + " HOME=" + (temporary.path() / "home").string()
        + " XDG_CACHE_HOME=" + (temporary.path() / "home" / ".cache").string() + " " + self
        + " --gtest_filter=PlatformGtk.StartUp* >/dev/null 2>&1";
    const int status = std::system(command.c_str());
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << command;
}
