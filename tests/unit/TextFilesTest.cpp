#include "ProgramFixture.h"

#include "support/FileSizeLimit.h"
#include "support/Watchdog.h"

#include "classlib/FolderItem.h"
#include "classlib/GlobalFunctions.h"
#include "classlib/StagedReplacements.h"
#include "classlib/TextInputStream.h"
#include "classlib/TextOutputStream.h"

#include "os/FolderLock.h"

#include <cerrno>
#include <cstdlib>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

class TextFilesTest : public ::testing::Test {
protected:
    testing_support::TemporaryConfigHome home;
    rt::RefPtr<cl::FolderItem> folder = cl::SpecialFolder::Preferences();
};

TEST_F(TextFilesTest, AStreamReplacesItsFileOnlyOnAGoodCloseAndReadsStopAtTheCount)
{
    auto item = folder->Child("value.txt");
    ASSERT_TRUE(item);
    home.write("value.txt", "old");
    item->CreateTextFile()->Write("new"); // dropped without Close: the old file stays and nothing is left behind
    EXPECT_EQ(home.read("value.txt"), "old");
    EXPECT_EQ(home.entryCount(), 1);

    auto stream = item->CreateTextFile();
    stream->Write("12");
    stream->Write("0");
    stream->Close();
    EXPECT_EQ(home.read("value.txt"), "120");
    {
        // A close after a failed write removes the new file at once.
        auto failed = item->CreateTextFile();
        testing_support::FileSizeLimit oneByte(1);
        failed->Write("12");
        failed->Close();
        EXPECT_EQ(failed->LastErrorCode, EFBIG);
        EXPECT_EQ(home.entryCount(), 1);
    }
    EXPECT_EQ(home.read("value.txt"), "120");
    stream->Write("late"); // after Close: the error is only recorded unless exceptions are asked for
    EXPECT_NE(stream->LastErrorCode, 0);
    stream->UseIOExceptions = true;
    EXPECT_THROW(stream->Write("late"), rt::RaisedException);

    auto input = item->OpenAsTextFile();
    EXPECT_EQ(input->Read(2), "12");
    EXPECT_EQ(input->ReadAll(), "0");
    EXPECT_EQ(input->ReadAll(), "");
}

TEST_F(TextFilesTest, MissingFilesAndUnsafeNamesGiveNil)
{
    auto missing = folder->Child("absent.txt");
    ASSERT_TRUE(missing);
    EXPECT_FALSE(missing->Exists());
    EXPECT_FALSE(missing->OpenAsTextFile());
    for (const char* name : { "", ".", "..", "../escape.txt", "a/b" })
        EXPECT_FALSE(folder->Child(name)) << name;

    std::filesystem::create_directory(home.path() / "folder");
    auto inTheWay = folder->Child("folder");
    EXPECT_FALSE(inTheWay->CreateTextFile());
    EXPECT_EQ(inTheWay->LastErrorCode, EISDIR);
}

TEST_F(TextFilesTest, StagedFilesTakeTheirPlacesAtCommitAndUncommittedOnesLeaveNothing)
{
    home.write("a.txt", "old a");
    {
        cl::StagedReplacements dropped;
        dropped.CreateTextFile(*folder->Child("a.txt"))->Write("lost");
    }
    EXPECT_EQ(home.read("a.txt"), "old a");
    EXPECT_EQ(home.entryCount(), 1);

    cl::StagedReplacements staged;
    auto a = staged.CreateTextFile(*folder->Child("a.txt"));
    auto c = staged.CreateTextFile(*folder->Child("c.txt"));
    a->Write("new a");
    a->Close();
    c->Close();
    c->Write("after Close"); // a stream with an error is not put in place
    EXPECT_EQ(home.read("a.txt"), "old a");

    EXPECT_TRUE(staged.Commit().empty());
    EXPECT_EQ(home.read("a.txt"), "new a");
    EXPECT_FALSE(std::filesystem::exists(home.path() / "c.txt"));
    EXPECT_EQ(home.entryCount(), 1);
}

// A new file is as private as the user's umask makes new files. A file its
// owner could not read back would lose what it keeps.
TEST_F(TextFilesTest, ANewFileFollowsTheUmaskAndAReplacedOneKeepsItsModeExceptThatItsOwnerCanReadAndWriteIt)
{
    struct Umask {
        explicit Umask(mode_t mask) : saved(::umask(mask)) { }
        ~Umask() { ::umask(saved); }
        const mode_t saved;
    };
    const auto path = home.path() / "value.txt";
    const auto modeAfterReplacing = [&](std::optional<mode_t> before) {
        std::filesystem::remove(path);
        if (before) {
            home.write("value.txt", "old");
            ::chmod(path.c_str(), *before);
        }
        auto stream = folder->Child("value.txt")->CreateTextFile();
        stream->Write("new");
        stream->Close();
        struct stat status { };
        ::stat(path.c_str(), &status);
        return status.st_mode & 07777;
    };
    {
        const Umask usual(022);
        EXPECT_EQ(modeAfterReplacing(std::nullopt), 0644u);
        EXPECT_EQ(modeAfterReplacing(0000), 0600u);
        EXPECT_EQ(modeAfterReplacing(0440), 0640u);
        EXPECT_EQ(modeAfterReplacing(0751), 0751u);
    }
    const Umask kept(077);
    EXPECT_EQ(modeAfterReplacing(std::nullopt), 0600u);
    EXPECT_EQ(modeAfterReplacing(0440), 0640u);
    EXPECT_EQ(home.read("value.txt"), "new");
}

// As two copies of the program closing together.
TEST_F(TextFilesTest, TwoProcessesCommittingAtOnceLeaveOneCommitsFilesWhole)
{
    constexpr int kRounds = 100;
    const char* const names[] = { "a.txt", "b.txt", "c.txt", "d.txt" };
    const auto commitRounds = [&](char writer) {
        ::alarm(60);
        for (int round = 0; round < kRounds; ++round) {
            cl::StagedReplacements staged;
            for (const char* name : names) {
                auto stream = staged.CreateTextFile(*folder->Child(name));
                if (!stream)
                    return 1;
                stream->Write(writer + std::to_string(round));
                stream->Close();
            }
            if (!staged.Commit().empty())
                return 1;
        }
        return 0;
    };
    std::vector<pid_t> writers;
    for (char writer : { 'x', 'y' }) {
        const pid_t child = fork();
        ASSERT_GE(child, 0);
        if (child == 0)
            ::_exit(commitRounds(writer));
        writers.push_back(child);
    }

    testing_support::Watchdog watchdog(90);
    const auto values = [&] {
        std::string all;
        for (const char* name : names)
            all += home.read(name) + " ";
        return all;
    };
    int looks = 0;
    std::vector<std::string> mixed;
    std::vector<int> statuses;
    while (statuses.size() < writers.size()) {
        {
            int error = 0;
            auto lock = os::FolderLock::Take(home.path(), error);
            ASSERT_TRUE(lock) << error;
            const std::string seen = values();
            const auto first = seen.substr(0, seen.find(' ') + 1);
            if (seen != first + first + first + first && seen != "    ")
                mixed.push_back(seen);
            ++looks;
        }
        for (pid_t& writer : writers) {
            int status = 0;
            if (writer > 0 && ::waitpid(writer, &status, WNOHANG) == writer) {
                statuses.push_back(status);
                writer = 0;
            }
        }
    }
    EXPECT_EQ(statuses, (std::vector<int> { 0, 0 }));
    EXPECT_EQ(mixed, std::vector<std::string> {}) << "in " << looks << " looks";
    const std::string last = values();
    EXPECT_TRUE(last == "x99 x99 x99 x99 " || last == "y99 y99 y99 y99 ") << last;
    EXPECT_EQ(home.entryCount(), 4);
}

TEST_F(TextFilesTest, PreferencesFolderIsAnAbsoluteXdgConfigHomeOrElseDotConfigInHome)
{
    testing_support::SavedEnvironment savedHome { "HOME" };
    const auto nested = home.path() / "fresh" / "config";
    setenv("XDG_CONFIG_HOME", nested.c_str(), 1);
    ASSERT_TRUE(cl::SpecialFolder::Preferences());
    EXPECT_TRUE(std::filesystem::is_directory(nested));

    setenv("HOME", home.path().c_str(), 1);
    for (const char* ignored : { static_cast<const char*>(nullptr), "relative/config" }) {
        SCOPED_TRACE(ignored ? ignored : "unset");
        ignored ? setenv("XDG_CONFIG_HOME", ignored, 1) : unsetenv("XDG_CONFIG_HOME");
        auto folder = cl::SpecialFolder::Preferences();
        ASSERT_TRUE(folder);
        EXPECT_EQ(folder->path(), home.path() / ".config");
        EXPECT_TRUE(std::filesystem::is_directory(home.path() / ".config"));
    }
}

} // namespace
