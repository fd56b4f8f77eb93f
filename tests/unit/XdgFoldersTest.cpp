#include "platform/XdgFolders.h"

#include <gtest/gtest.h>

#include <unistd.h>

#include <array>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <optional>
#include <string>

namespace {

namespace fs = std::filesystem;

constexpr std::array kVariables { "XDG_CONFIG_HOME", "XDG_DATA_HOME", "XDG_CACHE_HOME", "XDG_RUNTIME_DIR" };

class XdgFoldersTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        for (std::size_t i = 0; i < kVariables.size(); ++i) {
            if (const char* value = std::getenv(kVariables[i]))
                saved[i] = value;
        }
        root = fs::temp_directory_path() / ("xdg-folders-test-" + std::to_string(getpid()));
        fs::create_directories(root / "folder");
        std::ofstream(root / "file") << "not a folder";
    }
    void TearDown() override
    {
        for (std::size_t i = 0; i < kVariables.size(); ++i) {
            if (saved[i])
                setenv(kVariables[i], saved[i]->c_str(), 1);
            else
                unsetenv(kVariables[i]);
        }
        fs::remove_all(root);
    }
    static std::optional<std::string> value(const char* variable)
    {
        const char* found = std::getenv(variable);
        return found ? std::optional<std::string>(found) : std::nullopt;
    }

    std::array<std::optional<std::string>, kVariables.size()> saved;
    fs::path root;
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

} // namespace

TEST_F(XdgFoldersTest, AHomeThatIsAFileIsReplacedForTheRunByAFolderThatGoesWithIt)
{
    const char* home = std::getenv("HOME");
    const std::string savedHome = home ? home : "";
    unsetenv("XDG_DATA_HOME");
    unsetenv("XDG_CACHE_HOME");

    setenv("HOME", (root / "folder").c_str(), 1);
    EXPECT_FALSE(platform::ProvideFoldersTheEngineNeeds().has_value());
    EXPECT_TRUE(fs::is_directory(root / "folder" / ".cache"));

    setenv("HOME", (root / "file").c_str(), 1);
    testing::internal::CaptureStderr();
    std::optional<platform::RunFolder> runFolder = platform::ProvideFoldersTheEngineNeeds();
    const std::string report = testing::internal::GetCapturedStderr();
    const std::string replacedHome = value("HOME").value_or("");
    setenv("HOME", savedHome.c_str(), 1);

    ASSERT_TRUE(runFolder.has_value());
    EXPECT_EQ(replacedHome, runFolder->path().string());
    EXPECT_TRUE(fs::is_directory(replacedHome));
    EXPECT_NE(report.find(replacedHome), std::string::npos) << report;
    runFolder.reset();
    EXPECT_FALSE(fs::exists(replacedHome));
}
