#include "ProgramFixture.h"

#include "app/App.h"
#include "app/PluginEntrypointNames.h"

#include "classlib/Application.h"
#include "classlib/EventDispatch.h"

#include <algorithm>

using testing_support::ProgramTest;

namespace {

std::vector<std::string> Only(const std::vector<std::string>& milestones, const std::vector<std::string>& wanted)
{
    std::vector<std::string> kept;
    std::copy_if(milestones.begin(), milestones.end(), std::back_inserter(kept),
        [&](const std::string& m) { return std::find(wanted.begin(), wanted.end(), m) != wanted.end(); });
    return kept;
}

class MainFunctionTest : public ProgramTest {
protected:
    // Runs the whole program; `script` acts on the running program once the
    // loop has started.
    // `watch` sees each milestone as it is reached.
    int runProgram(std::function<void(headless::HeadlessPlatform&)> script,
        std::function<void(headless::HeadlessPlatform&)> setUp = {}, std::function<void(std::string_view)> watch = {})
    {
        rt::RuntimeSetProbe([this, script, setUp, watch](std::string_view milestone) {
            milestones.emplace_back(milestone);
            if (watch)
                watch(milestone);
            if (milestone == "RuntimeInit" && setUp)
                setUp(headless::HeadlessPlatform::current());
            if (milestone == "RuntimeRun")
                headless::HeadlessPlatform::current().loop.post(
                    [script] { script(headless::HeadlessPlatform::current()); });
        });
        return program::main();
    }
};

TEST_F(MainFunctionTest, RunsTheStartUpStepsInOrderAndExitsWithQuitsCodeWhenTheWindowCloses)
{
    int exitStatus = runProgram([](headless::HeadlessPlatform& platform) {
        ASSERT_EQ(platform.windows().size(), 1u);
        platform.windows().front()->userClose();
    });

    EXPECT_EQ(exitStatus, 0);
    const std::vector<std::string> expected { "RuntimeInit", "RunFrameworkInitialization", "start-up routine",
        "RuntimeInitExternalClasses", "RuntimeAllocatePluginEntrypointsTable", "RuntimeRegisterAppObject",
        "event Layout", "event CreateControls", "event Open", "RuntimeRun", "event Close", "Quit",
        "RuntimeRun returned", "RuntimeExit" };
    EXPECT_EQ(Only(milestones, expected), expected);
    EXPECT_EQ(std::count(milestones.begin(), milestones.end(), "start-up routine"), 1);
}

TEST_F(MainFunctionTest, APlatformThatCannotStartIsReportedPlainlySkipsTheLoopAndStillFinalises)
{
    testing::internal::CaptureStderr();
    int exitStatus = runProgram([](headless::HeadlessPlatform&) { FAIL() << "the loop ran"; },
        [](headless::HeadlessPlatform& platform) { platform.failInitialization = true; });
    const std::string report = testing::internal::GetCapturedStderr();

    EXPECT_EQ(exitStatus, 1);
    EXPECT_EQ(std::count(milestones.begin(), milestones.end(), "start-up routine"), 0);
    EXPECT_EQ(milestones.back(), "RuntimeExit");
    EXPECT_EQ(report, std::string(program_invocation_short_name) + ": the headless display was set to fail\n");
}

TEST_F(MainFunctionTest, ALoopThatCanNeverEndIsReportedInsteadOfHanging)
{
    testing::internal::CaptureStderr();
    int exitStatus = runProgram([](headless::HeadlessPlatform&) { /* never closes the window */ });
    const std::string report = testing::internal::GetCapturedStderr();

    EXPECT_EQ(exitStatus, 1);
    EXPECT_NE(report.find("never told to quit"), std::string::npos) << report;
    EXPECT_EQ(milestones.back(), "RuntimeExit");
}

// The class library's window lists, as start-up and finalisation leave them.
std::string WindowLists()
{
    auto describe = [](bool exists, bool empty) { return !exists ? "nil" : empty ? "empty" : "filled"; };
    return std::string("open ") + describe(bool(cl::Windows), !cl::Windows || cl::Windows->windows.empty())
        + ", implicit "
        + describe(bool(cl::mImplicitWindowList), !cl::mImplicitWindowList || cl::mImplicitWindowList->byClassName.empty());
}

TEST_F(MainFunctionTest, BuildsTheRecordsBeforeStartUpAndFinalisesBeforeTheRuntimeExits)
{
    cl::Windows = nullptr;
    cl::mImplicitWindowList = nullptr;
    std::vector<std::string> lists;
    int exitStatus = runProgram([](headless::HeadlessPlatform& platform) { platform.windows().front()->userClose(); },
        {}, [&](std::string_view milestone) {
            if (milestone == "RunFrameworkInitialization" || milestone == "RuntimeRun" || milestone == "RuntimeExit")
                lists.push_back(std::string(milestone) + ": " + WindowLists());
        });

    EXPECT_EQ(exitStatus, 0);
    EXPECT_EQ(lists, (std::vector<std::string> { "RunFrameworkInitialization: open empty, implicit nil",
                         "RuntimeRun: open filled, implicit filled", "RuntimeExit: open nil, implicit nil" }));
}

TEST_F(MainFunctionTest, AnExceptionNobodyCanNameIsReportedAsUnknownAndTheProgramStillFinalises)
{
    testing::internal::CaptureStderr();
    std::string listsAtExit;
    int exitStatus = runProgram([](headless::HeadlessPlatform&) { throw 42; }, {},
        [&](std::string_view milestone) {
            if (milestone == "RuntimeExit")
                listsAtExit = WindowLists();
        });
    const std::string report = testing::internal::GetCapturedStderr();

    EXPECT_EQ(exitStatus, 1);
    EXPECT_EQ(report, "Unhandled RuntimeException: unknown exception\n");
    EXPECT_EQ(std::count(milestones.begin(), milestones.end(), "RuntimeUnhandledException"), 1);
    EXPECT_EQ(listsAtExit, "open nil, implicit nil");
    EXPECT_EQ(milestones.back(), "RuntimeExit");
}

class StartedProgramTest : public ProgramTest {
protected:
    void SetUp() override
    {
        ProgramTest::SetUp();
        startProgram();
    }
};

TEST_F(StartedProgramTest, FillsThePluginTableByNameInIndexOrder)
{
    ASSERT_NE(program::plugin_entrypoints, nullptr);
    const auto& table = *program::plugin_entrypoints;
    ASSERT_EQ(table.size(), 41u);
    for (std::size_t index = 0; index < table.size(); ++index)
        EXPECT_EQ(table[index].name.view(), program::kPluginEntrypointNames[index]);
    EXPECT_EQ(table[39].name, "HTMLViewer.GoBackExt");
    EXPECT_EQ(table[40].name, "HTMLViewer.GoForwardExt");
    EXPECT_EQ(table[29].name, "_HTMLViewerPlugin.LoadURL(url as String)");

    // Present: what the button, engine and history plug-ins provide.
    for (int index : { 10, 11, 24, 29, 30, 31, 32, 33, 34, 35, 36, 37, 38, 39, 40 })
        EXPECT_FALSE(table[index].routine.isNull()) << table[index].name.view();
    // Absent: names nobody provides, which look up as null.
    for (int index : { 0, 1, 15, 25, 26, 27, 28 })
        EXPECT_TRUE(table[index].routine.isNull()) << table[index].name.view();
}

TEST_F(StartedProgramTest, ACallThroughAnEmptyPluginEntryRaisesAndNamesIt)
{
    try {
        rt::CallPluginEntrypoint<void (*)(rt::Object&, bool)>("Placard.Value.Set", *mainWindow(), true);
        FAIL() << "no exception";
    } catch (const rt::RaisedException& raised) {
        EXPECT_NE(std::string(raised.what()).find("Placard.Value.Set"), std::string::npos) << raised.what();
    }
}

// A handler's failure that is not one of the runtime's exceptions is reported
// the same way and also makes the exit status say the run failed.
TEST_F(StartedProgramTest, AHandlersCppFailureGoesThroughTheUnhandledExceptionReport)
{
    testing::internal::CaptureStderr();
    cl::CallFunctionWithExceptionHandling([] { rt::Raise<rt::EndException>("ended quietly"); });
    const std::string quiet = testing::internal::GetCapturedStderr();
    testing::internal::CaptureStderr();
    cl::CallFunctionWithExceptionHandling([] { throw std::runtime_error("the disk is full"); });
    const std::string report = testing::internal::GetCapturedStderr();

    EXPECT_EQ(quiet, "");
    EXPECT_EQ(report, "Unhandled RuntimeException: the disk is full\n");
    EXPECT_EQ(std::count(milestones.begin(), milestones.end(), "RuntimeUnhandledException"), 1);
    program::finalize();
    started = false;
    EXPECT_EQ(rt::RuntimeExit(), 1);
}

TEST_F(StartedProgramTest, RegistersOneAppObjectOfClassAppAndOpensOnlyTheMainWindow)
{
    auto app = rt::RuntimeAppObject();
    ASSERT_TRUE(app);
    EXPECT_EQ(app->classRecord().name, "App");
    EXPECT_EQ(&program::App_Lookup(), &program::App_Lookup());
    EXPECT_EQ(app->classRecord().parent, &cl::Application::Lookup());
    // The runtime holds the only reference besides this test's.
    EXPECT_EQ(app->refCount(), 2u);

    const auto& app_vtable = program::App_Lookup().vtable;
    ASSERT_EQ(app_vtable.size(), 17u);
    EXPECT_TRUE(std::equal(app_vtable.begin(), app_vtable.end(), cl::Application::Lookup().vtable.begin()));
    EXPECT_TRUE(std::all_of(program::App_Lookup().events.begin(), program::App_Lookup().events.end(),
        [](const rt::EventEntry& entry) { return entry.handler.isNull(); }));

    EXPECT_EQ(platform().windows().size(), 1u);
    EXPECT_EQ(cl::Windows->windows.size(), 1u);
}

} // namespace
