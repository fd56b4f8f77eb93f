#include "os/XdgFolders.h"
#include "os/PreferencesFolder.h"
#include "os/SandboxPaths.h"

#include "support/CapturedStderr.h"
#include "support/TemporaryConfigHome.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <functional>
#include <pwd.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <tuple>
#include <unistd.h>

namespace {

namespace fs = std::filesystem;

// What `act` returns, run in a child process as an ordinary user: root may
// search and write in any folder. -1 when the child can't be run so.
int AsAnOrdinaryUser(const std::function<int()>& act)
{
    const pid_t child = fork();
    if (child == 0) {
        if (geteuid() == 0 && (setgid(65534) != 0 || setuid(65534) != 0))
            _exit(255);
        _exit(act());
    }
    int status = 0;
    if (child < 0 || waitpid(child, &status, 0) != child || !WIFEXITED(status) || WEXITSTATUS(status) == 255)
        return -1;
    return WEXITSTATUS(status);
}

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
        "HOME", "TMPDIR", "XAUTHORITY", "PULSE_CLIENTCONFIG", "PULSE_SERVER", "LD_LIBRARY_PATH", "GST_PLUGIN_PATH" };
    testing_support::TemporaryConfigHome temporary;
    const fs::path root = temporary.path();
    static constexpr fs::perms readOnly
        = fs::perms::owner_read | fs::perms::owner_exec | fs::perms::others_read | fs::perms::others_exec;
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
        EXPECT_EQ(AsAnOrdinaryUser([&] {
            unsetenv("XDG_CONFIG_HOME");
            setenv("XDG_CACHE_HOME", below.c_str(), 1);
            os::KeepOnlyUsableXdgFolders();
            return std::getenv("XDG_CACHE_HOME") ? 0 : 1;
        }),
            kept ? 0 : 1);
    }
}

// A place kept in a preferences folder that can't be written is still read;
// the engine writes in the data and cache folders, so those must be writable.
TEST_F(XdgFoldersTest, AFolderThatCanOnlyBeReadServesForThePreferencesAlone)
{
    fs::permissions(root, fs::perms::owner_all | fs::perms::others_read | fs::perms::others_exec);
    fs::create_directory(root / "read-only");
    fs::permissions(root / "read-only", readOnly);
    fs::create_directory(root / "shut");
    fs::permissions(root / "shut", fs::perms::none);
    fs::create_directory(root / "open");
    fs::permissions(root / "open", fs::perms::all);
    const struct {
        fs::path config, data, cache;
        int kept; // one bit each: config, data, cache
    } rounds[] = {
        { root / "read-only", root / "read-only", root / "read-only" / "cache", 1 },
        { root / "shut", root / "open", root / "open" / "cache", 2 | 4 },
        { root / "read-only" / "config", root / "open" / "data", root / "shut" / "cache", 2 },
    };
    for (const auto& [config, data, cache, kept] : rounds) {
        SCOPED_TRACE(config);
        EXPECT_EQ(AsAnOrdinaryUser([&] {
            setenv("XDG_CONFIG_HOME", config.c_str(), 1);
            setenv("XDG_DATA_HOME", data.c_str(), 1);
            setenv("XDG_CACHE_HOME", cache.c_str(), 1);
            os::KeepOnlyUsableXdgFolders();
            return (std::getenv("XDG_CONFIG_HOME") ? 1 : 0) | (std::getenv("XDG_DATA_HOME") ? 2 : 0)
                | (std::getenv("XDG_CACHE_HOME") ? 4 : 0);
        }),
            kept);
    }
}

// An empty HOME is no home, and a relative path is no folder even where it
// names one from the working folder.
TEST_F(XdgFoldersTest, AnEmptyHomeAndARelativeValueAreNoFolders)
{
    setenv("HOME", "", 1);
    const passwd* user = getpwuid(getuid());
    ASSERT_TRUE(user && user->pw_dir && *user->pw_dir);
    EXPECT_EQ(os::HomeFolder(), fs::path(user->pw_dir));

    const fs::path working = fs::current_path();
    fs::current_path(root);
    for (const char* variable : { "XDG_CONFIG_HOME", "XDG_DATA_HOME", "XDG_CACHE_HOME", "XDG_RUNTIME_DIR" })
        setenv(variable, "folder", 1);
    const std::string report = testing_support::StderrOf(os::KeepOnlyUsableXdgFolders);
    fs::current_path(working);
    for (const char* variable : { "XDG_CONFIG_HOME", "XDG_DATA_HOME", "XDG_CACHE_HOME", "XDG_RUNTIME_DIR" })
        EXPECT_EQ(value(variable), std::nullopt) << variable;
    EXPECT_EQ(std::count(report.begin(), report.end(), '\n'), 4) << report;
}

// $TMPDIR first, then /tmp: a value that can't hold a new folder is passed over.
TEST_F(XdgFoldersTest, ARunFolderIsMadeInTmpdirWhereOneCanBeAndElseInTmp)
{
    const fs::path working = fs::current_path();
    fs::current_path(root);
    const std::pair<std::optional<fs::path>, fs::path> cases[] = {
        { root / "folder", root / "folder" },
        { std::nullopt, "/tmp" },
        { "", "/tmp" },
        { "folder", "/tmp" },
        { root / "file", "/tmp" },
        { root / "missing", "/tmp" },
    };
    for (const auto& [temporary, parent] : cases) {
        SCOPED_TRACE(temporary.value_or("unset"));
        temporary ? setenv("TMPDIR", temporary->c_str(), 1) : unsetenv("TMPDIR");
        const auto runFolder = os::MakeRunFolder();
        ASSERT_TRUE(runFolder);
        EXPECT_EQ(runFolder->path().parent_path(), parent);
        EXPECT_TRUE(fs::is_directory(runFolder->path()));
    }
    fs::current_path(working);

    fs::permissions(root, fs::perms::owner_all | fs::perms::others_read | fs::perms::others_exec);
    fs::permissions(root / "folder", readOnly);
    setenv("TMPDIR", (root / "folder").c_str(), 1);
    EXPECT_EQ(AsAnOrdinaryUser([] {
        const auto runFolder = os::MakeRunFolder();
        return runFolder && runFolder->path().parent_path() == "/tmp" ? 0 : 1;
    }),
        0)
        << "a TMPDIR that can't be written in";
}

// The sandbox stops at a path below a file, not at a missing one.
TEST_F(XdgFoldersTest, PathsTheSandboxCantMountAreLeftOutWithOneLine)
{
    const std::string belowAFile = (root / "file" / "x").string();
    for (const auto& [variable, before] :
        { std::pair { "XAUTHORITY", "" }, { "PULSE_CLIENTCONFIG", "" }, { "PULSE_SERVER", "unix:" } }) {
        for (const auto& [path, kept] : { std::pair { belowAFile, false }, { (root / "missing").string(), true },
                 { (root / "file").string(), true } }) {
            const std::string named = before + path;
            setenv(variable, named.c_str(), 1);
            const std::string report = testing_support::StderrOf(os::KeepOnlyPathsTheSandboxCanMount);
            EXPECT_EQ(value(variable), kept ? std::optional(named) : std::nullopt) << named;
            EXPECT_EQ(std::count(report.begin(), report.end(), '\n'), kept ? 0 : 1) << report;
            unsetenv(variable);
        }
    }
    // A server reached over the network names no file; of a list, only what can't be mounted goes.
    setenv("PULSE_SERVER", "tcp:localhost", 1);
    setenv("LD_LIBRARY_PATH", (belowAFile + ":" + root.string() + ":" + belowAFile + "/y").c_str(), 1);
    setenv("GST_PLUGIN_PATH", belowAFile.c_str(), 1);
    const std::string report = testing_support::StderrOf(os::KeepOnlyPathsTheSandboxCanMount);
    EXPECT_EQ(value("PULSE_SERVER"), std::optional<std::string>("tcp:localhost"));
    EXPECT_EQ(value("LD_LIBRARY_PATH"), std::optional(root.string()));
    EXPECT_EQ(value("GST_PLUGIN_PATH"), std::nullopt);
    EXPECT_EQ(std::count(report.begin(), report.end(), '\n'), 2) << report;
}

// The engine's processes can write in the run folder until they notice that
// the program has gone.
TEST_F(XdgFoldersTest, WhatAChildWritesInTheRunFolderAfterItIsRemovedGoesWhenTheChildEnds)
{
    auto runFolder = os::MakeRunFolder();
    ASSERT_TRUE(runFolder);
    const fs::path inRun = runFolder->path();
    int go[2];
    ASSERT_EQ(pipe(go), 0);
    const pid_t writer = fork();
    ASSERT_GE(writer, 0);
    if (writer == 0) {
        char byte;
        const bool told = read(go[0], &byte, 1) == 1;
        _exit(told && mkdir(inRun.c_str(), 0700) == 0 && mkdir((inRun / "late").c_str(), 0700) == 0 ? 0 : 1);
    }
    runFolder.reset();
    EXPECT_FALSE(fs::exists(inRun));
    ASSERT_EQ(write(go[1], "!", 1), 1);
    int status = 0;
    ASSERT_EQ(waitpid(writer, &status, 0), writer);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << "the child wrote after the removal";
    for (int look = 0; look < 100 && fs::exists(inRun); ++look)
        usleep(100 * 1000);
    EXPECT_FALSE(fs::exists(inRun));
    waitpid(-1, nullptr, 0); // the process that removed it
    for (int end : go)
        close(end);
}

// The engine needs a writable data and cache folder; a run folder stands in where neither home nor XDG gives one.
TEST_F(XdgFoldersTest, WhatTheHomeCantHoldGoesToAFolderThatGoesWithTheRun)
{
    for (const char* home : { "dot-local", "dot-cache", "dot-config" })
        fs::create_directory(root / home);
    temporary.write("dot-local/.local", "not a folder");
    temporary.write("dot-cache/.cache", "not a folder");
    temporary.write("dot-config/.config", "not a folder");
    // A preferences folder that isn't there is passed over by the sandbox; one that is a file is not.
    const struct {
        const char* home;
        std::optional<fs::path> config, data, cache;
        bool homeReplaced, configMoved, cacheMoved;
    } cases[] = {
        { "folder", std::nullopt, std::nullopt, std::nullopt, false, false, false },
        { "dot-local", root, root / "folder", std::nullopt, false, false, false },
        { "dot-cache", root, std::nullopt, std::nullopt, false, false, true },
        { "dot-config", std::nullopt, std::nullopt, std::nullopt, false, true, false },
        { "file", root, std::nullopt, std::nullopt, true, false, false },
        { "file", root, root / "folder", root / "folder", true, false, false },
    };
    for (const auto& [home, config, data, cache, homeReplaced, configMoved, cacheMoved] : cases) {
        SCOPED_TRACE(home);
        setenv("HOME", (root / home).c_str(), 1);
        config ? setenv("XDG_CONFIG_HOME", config->c_str(), 1) : unsetenv("XDG_CONFIG_HOME");
        data ? setenv("XDG_DATA_HOME", data->c_str(), 1) : unsetenv("XDG_DATA_HOME");
        cache ? setenv("XDG_CACHE_HOME", cache->c_str(), 1) : unsetenv("XDG_CACHE_HOME");
        std::optional<os::RunFolder> runFolder;
        const std::string report = testing_support::StderrOf([&] { runFolder = os::ProvideFoldersTheEngineNeeds(); });
        EXPECT_EQ(runFolder.has_value(), homeReplaced || configMoved || cacheMoved);
        EXPECT_EQ(std::count(report.begin(), report.end(), '\n'), runFolder ? 1 : 0) << report;
        const fs::path inRun = runFolder ? runFolder->path() : fs::path();
        const auto kept
            = [](const std::optional<fs::path>& set) { return set ? std::optional(set->string()) : std::nullopt; };
        const auto inTheRunFolder
            = [&](const char* variable) { return fs::path(value(variable).value_or("")).parent_path() == inRun; };
        EXPECT_EQ(value("HOME"), (homeReplaced ? inRun : root / home).string());
        EXPECT_EQ(value("XDG_DATA_HOME"), kept(data));
        if (configMoved)
            EXPECT_TRUE(inTheRunFolder("XDG_CONFIG_HOME"));
        else
            EXPECT_EQ(value("XDG_CONFIG_HOME"), kept(config));
        if (cacheMoved)
            EXPECT_TRUE(inTheRunFolder("XDG_CACHE_HOME"));
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
