#include "platform/XdgFolders.h"

#include "unit/TemporaryConfigHome.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <tuple>

namespace {

namespace fs = std::filesystem;

class XdgFoldersTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        fs::create_directory(root / "folder");
        temporary.write("file", "not a folder");
    }
    static std::optional<std::string> value(const char* variable)
    {
        const char* found = std::getenv(variable);
        return found ? std::optional<std::string>(found) : std::nullopt;
    }

    testing_support::SavedEnvironment saved { "XDG_CONFIG_HOME", "XDG_DATA_HOME", "XDG_CACHE_HOME", "XDG_RUNTIME_DIR", "HOME" };
    testing_support::TemporaryConfigHome temporary;
    const fs::path root = temporary.path();
};

// A variable naming no usable folder is dropped with one line each. A usable
// one stays, as does a missing one that can be made, but not the runtime
// folder, which must exist; neither is made here.
TEST_F(XdgFoldersTest, AVariableNamingNoUsableFolderIsDroppedWithOneLineEach)
{
    using Setting = std::tuple<const char*, std::optional<fs::path>, bool>; // variable, value, kept
    const Setting rounds[2][4] = {
        { { "XDG_CONFIG_HOME", root / "file", false }, { "XDG_DATA_HOME", root / "file" / "below", false },
            { "XDG_CACHE_HOME", "relative/cache", false }, { "XDG_RUNTIME_DIR", root / "file", false } },
        { { "XDG_CONFIG_HOME", root / "folder", true }, { "XDG_DATA_HOME", root / "new" / "data", true },
            { "XDG_CACHE_HOME", std::nullopt, false }, { "XDG_RUNTIME_DIR", root / "new-runtime", false } },
    };
    for (const auto& round : rounds) {
        for (const auto& [variable, setTo, kept] : round)
            setTo ? setenv(variable, setTo->c_str(), 1) : unsetenv(variable);
        testing::internal::CaptureStderr();
        platform::KeepOnlyUsableXdgFolders();
        const std::string report = testing::internal::GetCapturedStderr();
        long dropped = 0;
        for (const auto& [variable, setTo, kept] : round) {
            EXPECT_EQ(value(variable), kept ? std::optional(setTo->string()) : std::nullopt) << variable;
            EXPECT_EQ(report.find(variable) != std::string::npos, setTo && !kept) << report;
            dropped += setTo && !kept;
        }
        EXPECT_EQ(std::count(report.begin(), report.end(), '\n'), dropped) << report;
    }
    EXPECT_FALSE(fs::exists(root / "new"));
    EXPECT_FALSE(fs::exists(root / "new-runtime"));
}

TEST_F(XdgFoldersTest, AHomeThatIsAFileIsReplacedForTheRunByAFolderThatGoesWithIt)
{
    unsetenv("XDG_DATA_HOME");
    unsetenv("XDG_CACHE_HOME");
    setenv("HOME", (root / "folder").c_str(), 1);
    EXPECT_FALSE(platform::ProvideFoldersTheEngineNeeds().has_value());
    EXPECT_TRUE(fs::is_directory(root / "folder" / ".cache"));

    setenv("HOME", (root / "file").c_str(), 1);
    std::optional<platform::RunFolder> runFolder = platform::ProvideFoldersTheEngineNeeds();
    ASSERT_TRUE(runFolder.has_value());
    const fs::path replacedHome = runFolder->path();
    EXPECT_EQ(value("HOME"), replacedHome.string());
    EXPECT_TRUE(fs::is_directory(replacedHome));
    runFolder.reset();
    EXPECT_FALSE(fs::exists(replacedHome));
}

} // namespace
