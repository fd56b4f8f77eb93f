#include "BackendTestSupport.h"

#include "backends/gtk/SandboxTrialGtk.h"
#include "backends/gtk/WebContextGtk.h"

#include "support/CapturedStderr.h"

#include <errno.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <optional>
#include <string>

namespace {

// A stand-in `bwrap` alone on PATH that notes its pid in `folder / "pid"` and exits with `exitStatus` (none: absent).
struct FakeBubblewrap {
    explicit FakeBubblewrap(std::optional<int> exitStatus)
    {
        std::filesystem::create_directories(folder);
        if (exitStatus) {
            std::ofstream(folder / "bwrap") << "#!/bin/sh\necho $$ >" << folder / "pid"
                                            << "\nexit " << *exitStatus << "\n";
            std::filesystem::permissions(folder / "bwrap", std::filesystem::perms::owner_all);
        }
        setenv("PATH", folder.c_str(), 1);
    }
    ~FakeBubblewrap()
    {
        setenv("PATH", oldPath.c_str(), 1);
        std::filesystem::remove_all(folder);
    }

    const std::filesystem::path folder
        = std::filesystem::temp_directory_path() / ("fake-bwrap-" + std::to_string(getpid()));
    const std::string oldPath = std::getenv("PATH");
};

} // namespace

// The web context is sandboxed where the trial worked, and said to be unsandboxed, in one line, where it did not.
TEST(SandboxTrialGtk, TheContextIsSandboxedOnlyWhereBubblewrapRunsToSuccess)
{
    backendtest::sharedPlatform(); // the engine's data goes to the test's own folder
    // Exits 0; refuses its namespaces; is not on PATH.
    for (auto [exitStatus, works] : { std::pair { std::optional(0), true }, { 1, false }, { std::nullopt, false } }) {
        FakeBubblewrap bwrap(exitStatus);
        platform::gtk::SandboxTrialGtk trial;
        EXPECT_EQ(trial.sandboxWorks(), works);
        EXPECT_EQ(trial.sandboxWorks(), works) << "asked again";

        platform::gtk::WebContextGtk context;
        testing_support::CapturedStderr captured;
        EXPECT_EQ(webkit_web_context_get_sandbox_enabled(context.context()), works);
        const std::string report = captured.text();
        EXPECT_EQ(report,
            works ? ""
                  : std::string(program_invocation_short_name)
                    + ": bubblewrap is unavailable here; web pages run without a sandbox\n");
    }
}

TEST(SandboxTrialGtk, ATrialNobodyAskedAboutIsReaped)
{
    FakeBubblewrap bwrap(0);
    platform::gtk::SandboxTrialGtk {};
    // Reaped, it has run to the end; unreaped, it may not have written yet.
    pid_t child = 0;
    ASSERT_TRUE(std::ifstream(bwrap.folder / "pid") >> child);
    siginfo_t exited {};
    // Waits for the child to exit, unless it is reaped and no longer ours.
    EXPECT_NE(waitid(P_PID, static_cast<id_t>(child), &exited, WEXITED | WNOWAIT), 0) << "the child is unreaped";
}
