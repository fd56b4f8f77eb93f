#include "backends/gtk/SandboxTrialGtk.h"

#include <gtest/gtest.h>

#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <optional>
#include <string>
#include <thread>

namespace {

// A stand-in `bwrap` that notes its process id and exits with a given status
// (or none at all), alone on PATH while this lives.
class FakeBubblewrap {
public:
    explicit FakeBubblewrap(std::optional<int> exitStatus)
    {
        std::filesystem::create_directories(folder_);
        if (exitStatus) {
            std::ofstream(folder_ / "bwrap")
                << "#!/bin/sh\necho $$ >" << folder_ / "pid" << "\nexit " << *exitStatus << "\n";
            std::filesystem::permissions(folder_ / "bwrap", std::filesystem::perms::owner_all);
        }
        setenv("PATH", folder_.c_str(), 1);
    }
    ~FakeBubblewrap()
    {
        setenv("PATH", oldPath_.c_str(), 1);
        std::filesystem::remove_all(folder_);
    }

    // The process id the stand-in noted, once it has run.
    pid_t startedRun() const
    {
        pid_t pid = 0;
        for (int tries = 0; !(std::ifstream(folder_ / "pid") >> pid) && tries < 500; ++tries)
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
        return pid;
    }

private:
    const std::filesystem::path folder_
        = std::filesystem::temp_directory_path() / ("fake-bwrap-" + std::to_string(getpid()));
    const std::string oldPath_ = std::getenv("PATH");
};

bool sandboxWorksWith(std::optional<int> exitStatus)
{
    FakeBubblewrap bwrap(exitStatus);
    platform::gtk::SandboxTrialGtk trial;
    const bool works = trial.sandboxWorks();
    EXPECT_EQ(trial.sandboxWorks(), works) << "a second ask gives the same answer";
    return works;
}

} // namespace

TEST(SandboxTrialGtk, SandboxWorksOnlyWhenBubblewrapRunsToSuccess)
{
    EXPECT_TRUE(sandboxWorksWith(0));
    EXPECT_FALSE(sandboxWorksWith(1)) << "bubblewrap refused its namespaces";
    EXPECT_FALSE(sandboxWorksWith(std::nullopt)) << "no bubblewrap on PATH";
}

TEST(SandboxTrialGtk, ATrialNobodyAskedAboutIsReaped)
{
    FakeBubblewrap bwrap(0);
    {
        platform::gtk::SandboxTrialGtk trial;
    }
    const pid_t child = bwrap.startedRun();
    ASSERT_NE(child, 0);
    siginfo_t exited {};
    // Waits for the child to exit, unless it is reaped and no longer ours.
    EXPECT_NE(waitid(P_PID, static_cast<id_t>(child), &exited, WEXITED | WNOWAIT), 0) << "the child is unreaped";
}
