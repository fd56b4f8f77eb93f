#include "ProgramFixture.h"

#include "unit/Watchdog.h"

#include "classlib/FolderItem.h"
#include "classlib/GlobalFunctions.h"
#include "classlib/StagedReplacements.h"
#include "classlib/TextInputStream.h"
#include "classlib/TextOutputStream.h"

#include <cerrno>
#include <cstdlib>
#include <sys/stat.h>

using testing_support::TemporaryConfigHome;

namespace {

TEST(TextFilesTest, AStreamReplacesItsFileOnlyWhenClosedAfterEveryWrite)
{
    TemporaryConfigHome home;
    auto folder = cl::SpecialFolder::Preferences();
    ASSERT_TRUE(folder);
    EXPECT_EQ(folder->path(), home.path());
    auto item = folder->Child("value.txt");
    ASSERT_TRUE(item);
    home.write("value.txt", "old");

    {
        auto stream = item->CreateTextFile();
        ASSERT_TRUE(stream);
        stream->Write("new");
        EXPECT_EQ(home.read("value.txt"), "old"); // not in place before Close
        // Dropped without Close: the old file stays and nothing is left behind.
    }
    EXPECT_EQ(home.read("value.txt"), "old");
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(home.path()), {}), 1);

    auto stream = item->CreateTextFile();
    stream->Write("12");
    stream->Write("0");
    stream->Close();
    EXPECT_EQ(stream->LastErrorCode, 0);
    EXPECT_EQ(home.read("value.txt"), "120");

    auto input = item->OpenAsTextFile();
    ASSERT_TRUE(input);
    EXPECT_EQ(input->ReadAll(), "120");
    EXPECT_EQ(input->ReadAll(), ""); // all remaining text: nothing is left
}

TEST(TextFilesTest, MissingFilesAndUnsafeNamesGiveNil)
{
    TemporaryConfigHome home;
    auto folder = cl::SpecialFolder::Preferences();
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

TEST(TextFilesTest, OnlyRegularFilesOpenAsTextAndReadsStopAtTheCountAsked)
{
    TemporaryConfigHome home;
    auto folder = cl::SpecialFolder::Preferences();
    ASSERT_EQ(::mkfifo((home.path() / "fifo").c_str(), 0600), 0);
    std::filesystem::create_symlink("/dev/zero", home.path() / "zeros");
    std::filesystem::create_directory(home.path() / "folder");
    {
        testing_support::Watchdog watchdog(3);
        for (const char* name : { "fifo", "zeros", "folder" }) {
            auto item = folder->Child(name);
            EXPECT_FALSE(item->OpenAsTextFile()) << name;
            EXPECT_NE(item->LastErrorCode, 0) << name;
        }
    }

    home.write("digits.txt", "0123456789");
    auto input = folder->Child("digits.txt")->OpenAsTextFile();
    ASSERT_TRUE(input);
    EXPECT_EQ(input->Read(4), "0123");
    EXPECT_EQ(input->Read(100), "456789");
    EXPECT_EQ(input->LastErrorCode, 0);
}

TEST(TextFilesTest, StagedFilesTakeTheirPlacesOnlyAtCommitAndThoseNotCommittedLeaveNothingBehind)
{
    TemporaryConfigHome home;
    auto folder = cl::SpecialFolder::Preferences();
    home.write("a.txt", "old a");
    home.write("b.txt", "old b");
    const auto filesInFolder = [&] { return std::distance(std::filesystem::directory_iterator(home.path()), {}); };

    {
        cl::StagedReplacements dropped;
        dropped.CreateTextFile(*folder->Child("a.txt"))->Write("lost");
    }
    EXPECT_EQ(home.read("a.txt"), "old a");
    EXPECT_EQ(filesInFolder(), 2);

    cl::StagedReplacements staged;
    auto a = staged.CreateTextFile(*folder->Child("a.txt"));
    auto b = staged.CreateTextFile(*folder->Child("b.txt"));
    auto c = staged.CreateTextFile(*folder->Child("c.txt"));
    a->Write("new a");
    a->Close();
    b->Write("new b");
    b->Close();
    c->Write("new c");
    c->Close();
    c->Write("after Close"); // a stream with an error is not put in place
    EXPECT_EQ(home.read("a.txt"), "old a");
    EXPECT_EQ(home.read("b.txt"), "old b");

    EXPECT_TRUE(staged.Commit().empty());
    EXPECT_EQ(home.read("a.txt"), "new a");
    EXPECT_EQ(home.read("b.txt"), "new b");
    EXPECT_FALSE(home.exists("c.txt"));
    EXPECT_EQ(filesInFolder(), 2);
}

TEST(TextFilesTest, StagedFilesThatCannotTakeTheirPlaceAreGivenWithTheReason)
{
    TemporaryConfigHome home;
    auto folder = cl::SpecialFolder::Preferences();
    cl::StagedReplacements staged;
    auto stream = staged.CreateTextFile(*folder->Child("late.txt"));
    stream->Write("1");
    stream->Close();
    // A folder that appears in the file's place before the commit.
    std::filesystem::create_directory(home.path() / "late.txt");
    std::filesystem::create_directory(home.path() / "late.txt" / "inside");

    const auto failures = staged.Commit();
    ASSERT_EQ(failures.size(), 1u);
    EXPECT_EQ(failures[0].target, home.path() / "late.txt");
    EXPECT_EQ(failures[0].error, EISDIR);
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(home.path()), {}), 1);
}

TEST(TextFilesTest, IOExceptionsOnlyWhenAskedFor)
{
    TemporaryConfigHome home;
    auto item = cl::SpecialFolder::Preferences()->Child("value.txt");
    auto stream = item->CreateTextFile();
    stream->Close();
    stream->Write("late"); // after Close: the error is only recorded
    EXPECT_NE(stream->LastErrorCode, 0);
    stream->UseIOExceptions = true;
    EXPECT_THROW(stream->Write("late"), rt::RaisedException);
}

TEST(TextFilesTest, PreferencesFolderIsMadeWhenMissingAndNilWhenItCannotBe)
{
    TemporaryConfigHome home;
    const auto nested = home.path() / "fresh" / "config";
    setenv("XDG_CONFIG_HOME", nested.c_str(), 1);
    auto folder = cl::SpecialFolder::Preferences();
    ASSERT_TRUE(folder);
    EXPECT_TRUE(std::filesystem::is_directory(nested));

    home.write("plain-file", "x");
    setenv("XDG_CONFIG_HOME", (home.path() / "plain-file").c_str(), 1);
    EXPECT_FALSE(cl::SpecialFolder::Preferences());
}

TEST(TextFilesTest, WithoutAnAbsoluteXdgConfigHomeThePreferencesFolderIsDotConfigInTheHomeFolder)
{
    TemporaryConfigHome home;
    const char* previousHome = std::getenv("HOME");
    const std::string savedHome = previousHome ? previousHome : "";
    setenv("HOME", home.path().c_str(), 1);

    unsetenv("XDG_CONFIG_HOME");
    auto folder = cl::SpecialFolder::Preferences();
    ASSERT_TRUE(folder);
    EXPECT_EQ(folder->path(), home.path() / ".config");
    EXPECT_TRUE(std::filesystem::is_directory(home.path() / ".config"));

    setenv("XDG_CONFIG_HOME", "relative/config", 1);
    folder = cl::SpecialFolder::Preferences();
    ASSERT_TRUE(folder);
    EXPECT_EQ(folder->path(), home.path() / ".config");

    if (previousHome)
        setenv("HOME", savedHome.c_str(), 1);
    else
        unsetenv("HOME");
}

TEST(TextFilesTest, NumbersAreReadAfterBlanksTabsAndLineEndsAndOnlyWhenFinite)
{
    EXPECT_EQ(cl::CDbl("\r\n150"), 150);
    EXPECT_EQ(cl::CDbl(" \t\n -40 px"), -40);
    for (const char* none : { "inf", "-inf", "nan", "1e400", "+-5", "\n" })
        EXPECT_EQ(cl::CDbl(none), 0) << none;
    const auto number = cl::ReadLeadingNumber("  12.5e1\r\n");
    ASSERT_TRUE(number);
    EXPECT_EQ(number->value, 125);
    EXPECT_EQ(number->rest, "\r\n");
}

} // namespace
