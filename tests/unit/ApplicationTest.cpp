#include "ProgramFixture.h"

#include "classlib/Application.h"

namespace {

std::vector<std::string> s_menuCalls;

// A menu handler that notes it was offered the item, and takes it or not.
template <bool takes>
bool OfferedItem(cl::Application&)
{
    s_menuCalls.push_back(takes ? "taken" : "declined");
    return takes;
}

// The application object's operations, called through its class's table by slot number, as the framework calls them.
class ApplicationTest : public testing_support::StartedProgramTest {
protected:
    cl::Application& app() { return dynamic_cast<cl::Application&>(*rt::RuntimeAppObject()); }

    template <class... Args>
    void call(int slot, Args... arguments)
    {
        rt::CallVirtual<void (*)(cl::Application&, Args...)>(app(), slot, arguments...);
    }
};

TEST_F(ApplicationTest, DoEventsRunsWhatIsPendingAndASingleEventRunsOne)
{
    std::vector<int> ran;
    for (int item : { 1, 2, 3 })
        platform().loop.post([&ran, item] { ran.push_back(item); });

    call(10, false);
    EXPECT_EQ(ran, (std::vector { 1 }));
    call(2, std::int32_t(0));
    EXPECT_EQ(ran, (std::vector { 1, 2, 3 }));
    // Nothing pending and no waiting asked for: both return at once.
    call(10, false);
    call(2, std::int32_t(100));

    // A quit asked for by one of them ends the run there.
    platform().loop.post([&] {
        ran.push_back(4);
        platform().loop.quit();
    });
    platform().loop.post([&] { ran.push_back(5); });
    call(2, std::int32_t(0));
    EXPECT_EQ(ran, (std::vector { 1, 2, 3, 4 }));
}

TEST_F(ApplicationTest, MenuHandlersAreOfferedTheItemInTheOrderAddedUntilOneTakesIt)
{
    using HandleMenuCommand = bool (*)(cl::Application&, const rt::String&);
    s_menuCalls.clear();
    for (auto [item, handler] : { std::pair { "FileQuit", &OfferedItem<false> }, { "FileQuit", &OfferedItem<true> },
             { "FileQuit", &OfferedItem<false> }, { "EditCopy", &OfferedItem<false> } })
        call<const rt::String&, rt::Routine>(3, rt::String(item), rt::Routine(handler));

    EXPECT_TRUE(rt::CallVirtual<HandleMenuCommand>(app(), 13, rt::String("FileQuit")));
    EXPECT_EQ(s_menuCalls, (std::vector<std::string> { "declined", "taken" }));
    s_menuCalls.clear();
    EXPECT_FALSE(rt::CallVirtual<HandleMenuCommand>(app(), 13, rt::String("EditCopy")));
    EXPECT_EQ(s_menuCalls, (std::vector<std::string> { "declined" }));
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
    expectRaisesNaming("Application.NewDocument", [&] { call(0); });
    for (auto [slot, name] : { std::pair { 1, "Application.OpenDocument" }, { 4, "Application._AddPollableObject" },
             { 5, "Application._RemovePollableObject" }, { 6, "Application.AddTrayItem" },
             { 7, "Application.RemoveTrayItem" } })
        expectRaisesNaming(name, [&, slot] { call<rt::Object*>(slot, nullptr); });
    for (auto [slot, name] :
        { std::pair { 14, "Application._LoadPictureFromBundle" }, { 15, "Application._LoadBundleSound" } })
        expectRaisesNaming(name, [&, slot] { call<const rt::String&>(slot, rt::String("icon")); });
}

} // namespace
