#include "ProgramFixture.h"

#include "app/App.h"
#include "app/PluginEntrypointTable.h"

#include "classlib/Application.h"

#include "support/CapturedStderr.h"

#include <algorithm>
#include <tuple>
#include <utility>

using testing_support::ProgramTest;
using testing_support::StartedProgramTest;

namespace {

// The class library's window lists, as start-up and finalisation leave them.
std::string WindowLists()
{
    auto describe = [](bool exists, bool empty) { return !exists ? "nil" : empty ? "empty" : "filled"; };
    return std::string("open ") + describe(bool(cl::Windows), !cl::Windows || cl::Windows->windows.empty())
        + ", implicit "
        + describe(bool(cl::ImplicitWindows), !cl::ImplicitWindows || cl::ImplicitWindows->byClassName.empty());
}

class MainFunctionTest : public ProgramTest {
protected:
    // Runs the whole program; `script` acts on it once the loop has started. The milestones include the window lists as
    // initialisation, the loop and the runtime's exit find them.
    int runProgram(void (*script)(platform::headless::PlatformHeadless&), bool displayFails = false)
    {
        rt::RuntimeSetProbe([this, script, displayFails](std::string_view milestone) {
            milestones.emplace_back(milestone);
            if (milestone == "RuntimeInit")
                platform::headless::PlatformHeadless::current().failInitialization = displayFails;
            if (milestone == "RunFrameworkInitialization" || milestone == "RuntimeRun" || milestone == "RuntimeExit")
                milestones.push_back(WindowLists());
            if (milestone == "RuntimeRun")
                platform::headless::PlatformHeadless::current().loop.post(
                    [script] { script(platform::headless::PlatformHeadless::current()); });
        });
        return program::main();
    }
};

TEST_F(MainFunctionTest, RunsStartUpInOrderThenFinalisesAndExitsWithQuitsCodeAtClose)
{
    cl::Windows = nullptr;
    cl::ImplicitWindows = nullptr;
    EXPECT_EQ(
        runProgram([](platform::headless::PlatformHeadless& platform) { platform.windows().front()->userClose(); }), 0);
    // The class records are built before start-up, and finalisation comes before the runtime exits.
    const std::vector<std::string> expected { "RuntimeInit", "RuntimeCreateDelegate (  )", "RunFrameworkInitialization",
        "open empty, implicit nil", "start-up routine", "RuntimeInitExternalClasses",
        "RuntimeAllocatePluginEntrypointsTable", "RuntimeRegisterAppObject", "event Layout", "event CreateControls",
        "event Open", "RuntimeRun", "open filled, implicit filled", "event Close", "Quit", "RuntimeRun returned",
        "RuntimeExit", "open nil, implicit nil" };
    // The controls' handlers are delegates too, made later; the first one is the start-up routine's.
    bool delegateSeen = false;
    std::erase_if(milestones, [&](const std::string& m) {
        if (m.starts_with("RuntimeCreateDelegate"))
            return std::exchange(delegateSeen, true);
        return std::ranges::find(expected, m) == expected.end();
    });
    EXPECT_EQ(milestones, expected);
}

// However a run ends early, it is said once, fails, and is still finalised.
TEST_F(MainFunctionTest, ARunThatEndsEarlyIsReportedFailsAndIsStillFinalised)
{
    using Case = std::tuple<bool, void (*)(platform::headless::PlatformHeadless&), std::string>;
    for (const auto& [displayFails, script, report] :
        { Case { true, [](platform::headless::PlatformHeadless&) { ADD_FAILURE() << "the loop ran"; },
              std::string(program_invocation_short_name) + ": the headless display was set to fail\n" },
            Case { false, [](platform::headless::PlatformHeadless&) { /* never closes the window */ },
                std::string(program_invocation_short_name)
                    + ": unhandled RuntimeException: headless event loop is idle and was never told to quit\n" },
            Case { false, [](platform::headless::PlatformHeadless&) { throw 42; },
                std::string(program_invocation_short_name) + ": unhandled RuntimeException: unknown exception\n" } }) {
        SCOPED_TRACE(report);
        milestones.clear();
        testing_support::CapturedStderr captured;
        EXPECT_EQ(runProgram(script, displayFails), 1);
        EXPECT_EQ(captured.text(), report);
        EXPECT_EQ(std::ranges::count(milestones, "start-up routine"), displayFails ? 0 : 1);
        EXPECT_EQ(milestones.back(), "open nil, implicit nil");
    }
}

TEST_F(StartedProgramTest, FillsThePluginTableByNameInIndexOrder)
{
    ASSERT_NE(program::plugin_entrypoints, nullptr);
    const auto& table = *program::plugin_entrypoints;
    ASSERT_EQ(table.size(), 41u);
    // Present: what the button, engine and history plug-ins provide. Absent:
    // names nobody provides, which look up as null.
    const std::map<int, const char*> present { { 10, "BevelButton.Caption.Get" }, { 11, "BevelButton.Caption.Set" },
        { 24, "BevelButton.TextUnit.Set" }, { 29, "_HTMLViewerPlugin.LoadURL(url as String)" },
        { 30, "_HTMLViewerPlugin.Cancel()" }, { 31, "_HTMLViewerPlugin.LoadPage( file as FolderItem )" },
        { 32, "_HTMLViewerPlugin.LoadPage( source as String, baseFile as FolderItem )" },
        { 33, "_HTMLViewerPlugin.IsAvailable() as Boolean" },
        { 34, "_HTMLViewerPlugin.Print( showPrintDialog As Boolean = True )" },
        { 35, "_HTMLViewerPlugin._CanGoBack() as Boolean" }, { 36, "_HTMLViewerPlugin._CanGoForward() as Boolean" },
        { 37, "_HTMLViewerPlugin._GoForward()" }, { 38, "_HTMLViewerPlugin._GoBack()" }, { 39, "HTMLViewer.GoBackExt" },
        { 40, "HTMLViewer.GoForwardExt" } };
    const std::map<int, const char*> absent { { 0, "_" }, { 1, "BevelButton.DeleteAllRows" },
        { 15, "BevelButton.Icon.Set" }, { 25, "Placard.Value.Set" }, { 26, "DisclosureTriangle.Value.Set" },
        { 27, "DisclosureTriangle.AcceptFocus.Set" }, { 28, "ImageWell.Image.Set" } };
    for (const auto& [entries, isNull] : { std::pair { &present, false }, { &absent, true } }) {
        for (const auto& [index, name] : *entries) {
            EXPECT_EQ(table[index].name, name) << index;
            EXPECT_EQ(table[index].routine.isNull(), isNull) << name;
        }
    }

    EXPECT_THROW((rt::CallPluginEntrypoint<void (*)(rt::Object&, bool)>("Placard.Value.Set", *mainWindow(), true)),
        rt::RaisedException);
}

TEST_F(StartedProgramTest, RegistersOneAppObjectOfClassApp)
{
    auto app = rt::RuntimeAppObject();
    ASSERT_TRUE(app);
    // The runtime holds the only reference besides this test's.
    EXPECT_EQ(app->refCount(), 2u);
    const auto& record = app->classRecord();
    EXPECT_EQ(record.name, "App");
    EXPECT_EQ(record.parent, &cl::Application::Lookup());
    EXPECT_EQ(record.instanceSize, 96);
    // Application's operations and events, unchanged, none of them handled.
    EXPECT_EQ(record.vtable, cl::Application::Lookup().vtable);
    ASSERT_EQ(record.events.size(), cl::Application::Lookup().events.size());
    EXPECT_TRUE(std::ranges::all_of(record.events, [](const rt::EventEntry& entry) { return entry.handler.isNull(); }));
}

} // namespace
