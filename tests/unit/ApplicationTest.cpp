#include "ProgramFixture.h"

#include "classlib/Application.h"

using testing_support::ProgramTest;

namespace {

std::vector<std::string> s_menuCalls;

bool DeclineItem(cl::Application&)
{
    s_menuCalls.push_back("declined");
    return false;
}

bool TakeItem(cl::Application&)
{
    s_menuCalls.push_back("taken");
    return true;
}

// The application object's operations, called through its class's table by
// slot number, as the framework calls them.
class ApplicationTest : public ProgramTest {
protected:
    void SetUp() override
    {
        ProgramTest::SetUp();
        startProgram();
        settle();
        s_menuCalls.clear();
    }

    cl::Application& app() { return dynamic_cast<cl::Application&>(*rt::RuntimeAppObject()); }
};

TEST_F(ApplicationTest, DoEventsRunsWhatIsPendingAndASingleEventRunsOne)
{
    std::vector<int> ran;
    for (int item : { 1, 2, 3 })
        platform().loop.post([&ran, item] { ran.push_back(item); });

    rt::CallVirtual<void (*)(cl::Application&, bool)>(app(), 10, false);
    EXPECT_EQ(ran, (std::vector { 1 }));
    rt::CallVirtual<void (*)(cl::Application&, std::int32_t)>(app(), 2, 0);
    EXPECT_EQ(ran, (std::vector { 1, 2, 3 }));
    // Nothing pending and no waiting asked for: both return at once.
    rt::CallVirtual<void (*)(cl::Application&, bool)>(app(), 10, false);
    rt::CallVirtual<void (*)(cl::Application&, std::int32_t)>(app(), 2, 100);

    // A quit asked for by one of them ends the run there.
    platform().loop.post([&] { ran.push_back(4); platform().loop.quit(); });
    platform().loop.post([&] { ran.push_back(5); });
    rt::CallVirtual<void (*)(cl::Application&, std::int32_t)>(app(), 2, 0);
    EXPECT_EQ(ran, (std::vector { 1, 2, 3, 4 }));
}

TEST_F(ApplicationTest, ThreadOperationsReturn)
{
    EXPECT_NO_THROW((rt::CallVirtual<void (*)(cl::Application&)>(app(), 8)));
    EXPECT_NO_THROW((rt::CallVirtual<void (*)(cl::Application&, std::int32_t)>(
        app(), 9, 1)));
    EXPECT_NO_THROW((rt::CallVirtual<void (*)(cl::Application&, std::int32_t)>(
        app(), 9, -5)));
}

TEST_F(ApplicationTest, MenuHandlersAreOfferedTheItemInTheOrderAddedUntilOneTakesIt)
{
    using AddMenuHandler = void (*)(cl::Application&, const rt::String&, rt::Routine);
    using HandleMenuCommand = bool (*)(cl::Application&, const rt::String&);
    for (auto [item, handler] : { std::pair { "FileQuit", &DeclineItem }, { "FileQuit", &TakeItem },
             { "FileQuit", &DeclineItem }, { "EditCopy", &DeclineItem } })
        rt::CallVirtual<AddMenuHandler>(app(), 3, rt::String(item), rt::Routine(handler));

    EXPECT_TRUE(rt::CallVirtual<HandleMenuCommand>(app(), 13, rt::String("FileQuit")));
    EXPECT_EQ(s_menuCalls, (std::vector<std::string> { "declined", "taken" }));
    s_menuCalls.clear();
    EXPECT_FALSE(rt::CallVirtual<HandleMenuCommand>(app(), 13, rt::String("EditCopy")));
    EXPECT_FALSE(rt::CallVirtual<HandleMenuCommand>(app(), 13, rt::String("HelpAbout")));
    EXPECT_EQ(s_menuCalls, (std::vector<std::string> { "declined" }));

    // App handles neither event: bringing the menu up to date and opening do nothing.
    EXPECT_NO_THROW((rt::CallVirtual<void (*)(cl::Application&, rt::Object*)>(
        app(), 11, nullptr)));
    EXPECT_NO_THROW((rt::CallVirtual<void (*)(cl::Application&)>(app(), 12)));
}

TEST_F(ApplicationTest, DocumentsTraysPollableObjectsAndBundlesRaiseNamingTheOperation)
{
    auto expectRaisesNaming = [](const char* name, const std::function<void()>& operation) {
        try {
            operation();
            ADD_FAILURE() << name << " returned";
        } catch (const rt::RaisedException& raised) {
            EXPECT_EQ(raised.exception().classRecord().name, "UnsupportedOperationException") << name;
            EXPECT_NE(std::string(raised.what()).find(name), std::string::npos) << raised.what();
        }
    };
    using Plain = void (*)(cl::Application&);
    using WithObject = void (*)(cl::Application&, rt::Object*);
    using WithName = void (*)(cl::Application&, const rt::String&);
    expectRaisesNaming("Application.NewDocument", [&] { rt::CallVirtual<Plain>(app(), 0); });
    for (auto [slot, name] : { std::pair { 1, "Application.OpenDocument" }, { 4, "Application._AddPollableObject" },
             { 5, "Application._RemovePollableObject" }, { 6, "Application.AddTrayItem" }, { 7, "Application.RemoveTrayItem" } })
        expectRaisesNaming(name, [&, slot] { rt::CallVirtual<WithObject>(app(), slot, nullptr); });
    for (auto [slot, name] : { std::pair { 14, "Application._LoadPictureFromBundle" }, { 15, "Application._LoadBundleSound" } })
        expectRaisesNaming(name, [&, slot] { rt::CallVirtual<WithName>(app(), slot, rt::String("icon")); });
}

} // namespace
