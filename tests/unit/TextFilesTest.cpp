#include "ProgramFixture.h"

#include "classlib/FolderItem.h"
#include "classlib/GlobalFunctions.h"
#include "classlib/StagedReplacements.h"
#include "classlib/TextInputStream.h"
#include "classlib/TextOutputStream.h"

#include <cerrno>
#include <cstdlib>

namespace {

class TextFilesTest : public ::testing::Test {
protected:
    testing_support::TemporaryConfigHome home;
    rt::RefPtr<cl::FolderItem> folder = cl::SpecialFolder::Preferences();
};

TEST_F(TextFilesTest, AStreamReplacesItsFileOnlyWhenClosedAfterEveryWriteAndReadsStopAtTheCountAsked)
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

TEST_F(TextFilesTest, StagedFilesTakeTheirPlacesOnlyAtCommitAndThoseNotCommittedLeaveNothingBehind)
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

TEST_F(TextFilesTest, ThePreferencesFolderIsMadeAtAnAbsoluteXdgConfigHomeOrElseAtDotConfigInTheHomeFolder)
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
