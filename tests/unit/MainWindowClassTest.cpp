#include "ProgramFixture.h"

#include "runtime/ClassRecord.h"

#include "support/CapturedStderr.h"

#include <algorithm>

namespace {

class MainWindowClassTest : public testing_support::StartedProgramTest {
protected:
    rt::ClassRecord& record() { return mainwindow::Window1_Lookup(); }
};

TEST_F(MainWindowClassTest, ClassRecordKeepsWindowsOperationsAndAddsItsOwnSixteen)
{
    EXPECT_EQ(record().name, "Window1.Window1");
    EXPECT_EQ(record().parent, &cl::Window::Lookup());
    EXPECT_EQ(record().instanceSize, 200);
    ASSERT_EQ(record().vtable.size(), static_cast<std::size_t>(record().vtableCount));
    const auto& inherited = cl::Window::Lookup().vtable;
    EXPECT_TRUE(std::equal(inherited.begin(), inherited.end(), record().vtable.begin()));
    // Its own sixteen after Window's fifty, where callers find them by number.
    ASSERT_EQ(record().vtableCount, 66);
    using namespace mainwindow;
    for (auto [slot, routine] : { std::pair { 50, rt::Routine(&ApplyDesignedProperties) },
             { 52, rt::Routine(&CreateControls0) }, { 53, rt::Routine(&HTMLViewer2_CancelLoad) },
             { 60, rt::Routine(&BevelButton7_Action) }, { 61, rt::Routine(&HTMLViewer1_NewWindow) },
             { 64, rt::Routine(&Event_Close) }, { 65, rt::Routine(&Event_Open) } })
        EXPECT_EQ(record().vtable.at(slot), routine) << slot;
}

TEST_F(MainWindowClassTest, OwnMemberRecordsFillTheLastTwentySevenPlacesEachPublicAndCallable)
{
    const auto& members = record().members;
    ASSERT_EQ(members.size(), 229u);
    for (auto [place, name, signature] : { std::tuple { 202, "Layout", "%%" }, { 204, "_CreateControls0", "%%" },
             { 205, "TextField1", "%o<TextField>%s" }, { 206, "HTMLViewer2", "%o<HTMLViewer>%s" },
             { 208, "BevelButton1", "%o<BevelButton>%s" }, { 215, "HTMLViewer1", "%o<HTMLViewer>%s" },
             { 216, "HTMLViewer2_CancelLoad", "%b%s" }, { 223, "BevelButton7_Action", "%%" },
             { 224, "HTMLViewer1_NewWindow", "%o<HTMLViewer>%" }, { 225, "HTMLViewer1_DocumentComplete", "%%s" },
             { 228, "Event_Open", "%%" } }) {
        EXPECT_EQ(members[place].name, name) << place;
        EXPECT_EQ(members[place].signature, signature) << place;
    }

    // Each an instance method one can call by introspection; "_CreateControls0" is also hidden.
    for (std::size_t place = 202; place < 229; ++place) {
        const auto& [name, attributes] = std::tie(members[place].name, members[place].attributes);
        const bool hidden = name == "_CreateControls0";
        EXPECT_NE(members[place].invoker, nullptr) << place;
        ASSERT_EQ(attributes.size(), hidden ? 2u : 1u) << name.view();
        EXPECT_TRUE(attributes[0].name == "__Scope" && attributes[0].value == "Public" && attributes[0].hasValue);
        EXPECT_TRUE(
            !hidden || (attributes[1].name == "Hidden" && attributes[1].value.isNil() && !attributes[1].hasValue));
    }

    // A control member looks up the name it is given.
    auto window = mainWindow();
    std::vector<rt::Variant> arguments { rt::String("Separator1") };
    const auto found = std::get<rt::RefPtr<rt::Object>>(rt::Invoke(members[205], window.get(), &arguments));
    EXPECT_EQ(found.get(), window->controlNamed("Separator1").get());
    EXPECT_THROW(rt::Invoke(members[205], window.get(), nullptr), rt::RaisedException);
}

TEST_F(MainWindowClassTest, TheAccessorReturnsTheOpenWindowAndBuildsANewOneOnlyAfterItClosed)
{
    auto first = mainwindow::Window1();
    EXPECT_EQ(first.get(), mainwindow::Window1().get());
    EXPECT_EQ(platform().windows().size(), 1u);

    // Closing takes the window out of the implicit-window list; the next call builds a complete new one.
    nativeWindow().userClose();
    EXPECT_FALSE(mainWindow());
    auto second = mainwindow::Window1();
    EXPECT_NE(second.get(), first.get());
    EXPECT_EQ(second->controls().size(), 11u);
    EXPECT_EQ(std::ranges::count(milestones, "event Open"), 2);
}

// A half-built window must never be handed out; a later handler's failure must not end the program.
TEST_F(MainWindowClassTest, BuildingStopsAtAFailedLayoutOrControlsAndOtherFailuresAreReported)
{
    for (auto [event, propagates] : { std::pair { cl::Window::OpenEvent, false }, { cl::Window::ResizedEvent, false },
             { cl::Window::CloseEvent, false }, { cl::Window::CreateControlsEvent, true },
             { cl::Window::LayoutEvent, true } }) {
        SCOPED_TRACE(record().events[event].name.view());
        if (mainWindow())
            nativeWindow().userClose();
        milestones.clear();
        const rt::Routine handler = std::exchange(record().events[event].handler,
            rt::Routine(+[](cl::Window&) { rt::Raise<rt::RuntimeException>("failed on purpose"); }));
        testing_support::CapturedStderr captured;
        bool reachedCaller = false;
        try {
            mainwindow::Window1();
            nativeWindow().userResize(800, 600);
            settle();
            nativeWindow().userClose();
        } catch (const rt::RaisedException&) {
            reachedCaller = true;
        }
        record().events[event].handler = handler;
        EXPECT_EQ(reachedCaller, propagates);
        EXPECT_EQ(std::ranges::count(milestones, "event Open"), propagates ? 0 : 1);
        EXPECT_EQ(
            captured.text().find("unhandled RuntimeException: failed on purpose") != std::string::npos, !propagates)
            << captured.text();
    }
}

TEST_F(MainWindowClassTest, LayoutGivesTheWindowItsDesignedProperties)
{
    EXPECT_TRUE(mainWindow()->Resizeable() && mainWindow()->CloseButton());
    auto& native = nativeWindow();
    EXPECT_TRUE(native.title == "Quillmere" && native.minWidth == 64 && native.maxHeight == 32000);
    EXPECT_EQ(native.background, (platform::Color { 0xCC, 0xCC, 0xCC }));
}

} // namespace
