#include "ProgramFixture.h"

#include "classlib/FolderItem.h"
#include "classlib/TextInputStream.h"
#include "classlib/TextOutputStream.h"

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
    EXPECT_FALSE(folder->Child("folder")->CreateTextFile());
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

} // namespace
