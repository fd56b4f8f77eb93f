#include "backends/gtk/SandboxTrialGtk.h"

#include <gtest/gtest.h>

#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <optional>
#include <sstream>
#include <string>

namespace backendtest {

namespace {

// A folder holding a stand-in `bwrap` that exits with a given status, put
// alone on PATH for the test's length.
class FakeBubblewrap {
public:
    explicit FakeBubblewrap(std::optional<int> exitStatus)
        : folder_(std::filesystem::temp_directory_path() / ("fake-bwrap-" + std::to_string(::getpid())))
        , oldPath_(std::getenv("PATH"))
    {
        std::filesystem::create_directories(folder_);
        if (exitStatus) {
            const auto script = folder_ / "bwrap";
            std::ofstream(script) << "#!/bin/sh\nexit " << *exitStatus << "\n";
            std::filesystem::permissions(script, std::filesystem::perms::owner_all);
        }
        setenv("PATH", folder_.c_str(), 1);
    }

    ~FakeBubblewrap()
    {
        setenv("PATH", oldPath_.c_str(), 1);
        std::filesystem::remove_all(folder_);
    }

private:
    std::filesystem::path folder_;
    std::string oldPath_;
};

bool sandboxWorksWith(std::optional<int> exitStatus)
{
    FakeBubblewrap bwrap(exitStatus);
    platform::gtk::SandboxTrialGtk trial;
    const bool works = trial.sandboxWorks();
    EXPECT_EQ(trial.sandboxWorks(), works) << "a second ask gives the same answer";
    return works;
}

// Children of this process that have exited and not been reaped.
int zombieChildren()
{
    int count = 0;
    for (const auto& entry : std::filesystem::directory_iterator("/proc")) {
        std::ifstream stat(entry.path() / "stat");
        std::string line;
        if (!std::getline(stat, line) || line.rfind(')') == std::string::npos)
            continue;
        char state = 0;
        int parent = 0;
        std::istringstream(line.substr(line.rfind(')') + 1)) >> state >> parent;
        count += state == 'Z' && parent == ::getpid();
    }
    return count;
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
    EXPECT_EQ(zombieChildren(), 0);
}

} // namespace backendtest
