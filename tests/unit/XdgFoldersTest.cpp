#include "platform/XdgFolders.h"

#include "unit/TemporaryConfigHome.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cstdlib>

namespace {

namespace fs = std::filesystem;

constexpr std::array kVariables { "XDG_CONFIG_HOME", "XDG_DATA_HOME", "XDG_CACHE_HOME", "XDG_RUNTIME_DIR" };

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

    testing_support::SavedEnvironment saved { kVariables[0], kVariables[1], kVariables[2], kVariables[3], "HOME" };
    testing_support::TemporaryConfigHome temporary;
    const fs::path root = temporary.path();
};

TEST_F(XdgFoldersTest, AVariableNamingNoUsableFolderIsDroppedWithOneLineEach)
{
    setenv("XDG_CONFIG_HOME", (root / "file").c_str(), 1);
    setenv("XDG_DATA_HOME", (root / "file" / "below").c_str(), 1);
    setenv("XDG_CACHE_HOME", "relative/cache", 1);
    setenv("XDG_RUNTIME_DIR", (root / "file").c_str(), 1);

    testing::internal::CaptureStderr();
    platform::KeepOnlyUsableXdgFolders();
    const std::string report = testing::internal::GetCapturedStderr();

    for (const char* variable : kVariables) {
        EXPECT_EQ(value(variable), std::nullopt) << variable;
        EXPECT_NE(report.find(variable), std::string::npos) << report;
    }
    EXPECT_EQ(std::count(report.begin(), report.end(), '\n'), 4) << report;
}

TEST_F(XdgFoldersTest, UsableFoldersStayAsDoMissingOnesThatCanBeMadeButTheRuntimeFolder)
{
    setenv("XDG_CONFIG_HOME", (root / "folder").c_str(), 1);
    setenv("XDG_DATA_HOME", (root / "new" / "data").c_str(), 1);
    unsetenv("XDG_CACHE_HOME");
    setenv("XDG_RUNTIME_DIR", (root / "new-runtime").c_str(), 1);

    testing::internal::CaptureStderr();
    platform::KeepOnlyUsableXdgFolders();
    const std::string report = testing::internal::GetCapturedStderr();

    EXPECT_EQ(value("XDG_CONFIG_HOME"), (root / "folder").string());
    EXPECT_EQ(value("XDG_DATA_HOME"), (root / "new" / "data").string());
    EXPECT_FALSE(fs::exists(root / "new"));
    EXPECT_EQ(value("XDG_CACHE_HOME"), std::nullopt);
    EXPECT_EQ(value("XDG_RUNTIME_DIR"), std::nullopt);
    EXPECT_FALSE(fs::exists(root / "new-runtime"));
    EXPECT_EQ(report.find("XDG_CONFIG_HOME"), std::string::npos) << report;
    EXPECT_NE(report.find("XDG_RUNTIME_DIR"), std::string::npos) << report;
}

TEST_F(XdgFoldersTest, AHomeThatIsAFileIsReplacedForTheRunByAFolderThatGoesWithIt)
{
    unsetenv("XDG_DATA_HOME");
    unsetenv("XDG_CACHE_HOME");
    setenv("HOME", (root / "folder").c_str(), 1);
    EXPECT_FALSE(platform::ProvideFoldersTheEngineNeeds().has_value());
    EXPECT_TRUE(fs::is_directory(root / "folder" / ".cache"));

    setenv("HOME", (root / "file").c_str(), 1);
    testing::internal::CaptureStderr();
    std::optional<platform::RunFolder> runFolder = platform::ProvideFoldersTheEngineNeeds();
    const std::string report = testing::internal::GetCapturedStderr();

    ASSERT_TRUE(runFolder.has_value());
    const std::string replacedHome = value("HOME").value_or("");
    EXPECT_EQ(replacedHome, runFolder->path().string());
    EXPECT_TRUE(fs::is_directory(replacedHome));
    EXPECT_NE(report.find(replacedHome), std::string::npos) << report;
    runFolder.reset();
    EXPECT_FALSE(fs::exists(replacedHome));
}

} // namespace
