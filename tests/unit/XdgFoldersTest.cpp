#include "os/XdgFolders.h"

#include "support/CapturedStderr.h"
#include "support/TemporaryConfigHome.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <sys/wait.h>
#include <tuple>
#include <unistd.h>

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

    testing_support::SavedEnvironment saved { "XDG_CONFIG_HOME", "XDG_DATA_HOME", "XDG_CACHE_HOME", "XDG_RUNTIME_DIR",
        "HOME" };
    testing_support::TemporaryConfigHome temporary;
    const fs::path root = temporary.path();
};

// The runtime folder must exist; the others may be made later, so none is made here.
TEST_F(XdgFoldersTest, AVariableNamingNoUsableFolderIsDroppedWithOneLineEach)
{
    using Setting = std::tuple<const char*, std::optional<fs::path>, bool>; // variable, value, kept
    const Setting rounds[2][4] = {
        { { "XDG_CONFIG_HOME", root / "file", false }, { "XDG_DATA_HOME", root / "file" / "below", false },
            { "XDG_CACHE_HOME", "relative/cache", false }, { "XDG_RUNTIME_DIR", "", false } },
        { { "XDG_CONFIG_HOME", root / "folder", true }, { "XDG_DATA_HOME", root / "new" / "data", true },
            { "XDG_CACHE_HOME", std::nullopt, false }, { "XDG_RUNTIME_DIR", root / "new-runtime", false } },
    };
    for (const auto& round : rounds) {
        for (const auto& [variable, setTo, kept] : round)
            setTo ? setenv(variable, setTo->c_str(), 1) : unsetenv(variable);
        const std::string report = testing_support::StderrOf(os::KeepOnlyUsableXdgFolders);
        long dropped = 0;
        for (const auto& [variable, setTo, kept] : round) {
            EXPECT_EQ(value(variable), kept ? std::optional(setTo->string()) : std::nullopt) << variable;
            const bool told = setTo && !setTo->empty() && !kept;
            EXPECT_EQ(report.find(variable) != std::string::npos, told) << report;
            dropped += told;
        }
        EXPECT_EQ(std::count(report.begin(), report.end(), '\n'), dropped) << report;
    }
    EXPECT_FALSE(fs::exists(root / "new"));
    EXPECT_FALSE(fs::exists(root / "new-runtime"));
}

// Whether a folder is there must be known, not guessed.
TEST_F(XdgFoldersTest, AFolderThatCantBeLookedAtIsUnusableAndALongValueIsQuotedShort)
{
    fs::create_directory_symlink("loop", root / "loop");
    const std::string tooLong = (root / std::string(300, 'n') / "data").string();
    setenv("XDG_CONFIG_HOME", (root / "loop" / "x").c_str(), 1);
    setenv("XDG_DATA_HOME", tooLong.c_str(), 1);
    setenv("XDG_CACHE_HOME", (root / "loop").c_str(), 1);
    unsetenv("XDG_RUNTIME_DIR");
    const std::string report = testing_support::StderrOf(os::KeepOnlyUsableXdgFolders);
    for (const char* variable : { "XDG_CONFIG_HOME", "XDG_DATA_HOME", "XDG_CACHE_HOME" })
        EXPECT_EQ(value(variable), std::nullopt) << variable;
    EXPECT_EQ(std::count(report.begin(), report.end(), '\n'), 3) << report;
    EXPECT_NE(report.find("\"" + tooLong.substr(0, 200) + "...\" (" + std::to_string(tooLong.size()) + " characters)"),
        std::string::npos)
        << report;
    EXPECT_EQ(report.find(tooLong), std::string::npos) << report;
}

// Root searches any folder, so the check runs as an ordinary user.
TEST_F(XdgFoldersTest, AFolderBelowOneThatCantBeSearchedIsUnusable)
{
    fs::permissions(root, fs::perms::owner_all | fs::perms::others_read | fs::perms::others_exec);
    fs::create_directory(root / "shut");
    fs::permissions(root / "shut", fs::perms::none);
    fs::create_directory(root / "open");
    fs::permissions(root / "open", fs::perms::all);
    for (const auto& [below, kept] :
        { std::pair { root / "shut" / "cache", false }, { root / "open" / "cache", true } }) {
        SCOPED_TRACE(below);
        const pid_t child = fork();
        ASSERT_GE(child, 0);
        if (child == 0) {
            if (geteuid() == 0 && (setgid(65534) != 0 || setuid(65534) != 0))
                _exit(2);
            unsetenv("XDG_CONFIG_HOME");
            setenv("XDG_CACHE_HOME", below.c_str(), 1);
            os::KeepOnlyUsableXdgFolders();
            _exit(std::getenv("XDG_CACHE_HOME") ? 0 : 1);
        }
        int status = 0;
        ASSERT_EQ(waitpid(child, &status, 0), child);
        ASSERT_TRUE(WIFEXITED(status));
        EXPECT_EQ(WEXITSTATUS(status), kept ? 0 : 1);
    }
}

// The engine needs a writable data and cache folder; a run folder stands in where neither home nor XDG gives one.
TEST_F(XdgFoldersTest, WhatTheHomeCantHoldGoesToAFolderThatGoesWithTheRun)
{
    for (const char* home : { "dot-local", "dot-cache" })
        fs::create_directory(root / home);
    temporary.write("dot-local/.local", "not a folder");
    temporary.write("dot-cache/.cache", "not a folder");
    const struct {
        const char* home;
        std::optional<fs::path> data, cache;
        bool homeReplaced, cacheMoved;
    } cases[] = {
        { "folder", std::nullopt, std::nullopt, false, false },
        { "dot-local", root / "folder", std::nullopt, false, false },
        { "dot-cache", std::nullopt, std::nullopt, false, true },
        { "file", std::nullopt, std::nullopt, true, false },
        { "file", root / "folder", root / "folder", true, false },
    };
    for (const auto& [home, data, cache, homeReplaced, cacheMoved] : cases) {
        SCOPED_TRACE(home);
        setenv("HOME", (root / home).c_str(), 1);
        data ? setenv("XDG_DATA_HOME", data->c_str(), 1) : unsetenv("XDG_DATA_HOME");
        cache ? setenv("XDG_CACHE_HOME", cache->c_str(), 1) : unsetenv("XDG_CACHE_HOME");
        std::optional<os::RunFolder> runFolder;
        const std::string report = testing_support::StderrOf([&] { runFolder = os::ProvideFoldersTheEngineNeeds(); });
        EXPECT_EQ(runFolder.has_value(), homeReplaced || cacheMoved);
        EXPECT_EQ(std::count(report.begin(), report.end(), '\n'), runFolder ? 1 : 0) << report;
        const fs::path inRun = runFolder ? runFolder->path() : fs::path();
        const auto kept
            = [](const std::optional<fs::path>& set) { return set ? std::optional(set->string()) : std::nullopt; };
        EXPECT_EQ(value("HOME"), (homeReplaced ? inRun : root / home).string());
        EXPECT_EQ(value("XDG_DATA_HOME"), kept(data));
        if (cacheMoved)
            EXPECT_EQ(fs::path(value("XDG_CACHE_HOME").value_or("")).parent_path(), inRun);
        else
            EXPECT_EQ(value("XDG_CACHE_HOME"), kept(cache));
        if (!runFolder)
            continue;
        EXPECT_TRUE(fs::is_directory(inRun));
        runFolder.reset();
        EXPECT_FALSE(fs::exists(inRun));
    }
    EXPECT_TRUE(fs::is_directory(root / "folder" / ".cache"));
}

} // namespace
