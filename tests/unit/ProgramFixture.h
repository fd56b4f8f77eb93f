#pragma once

#include "app/ProgramMain.h"
#include "app/Startup.h"
#include "mainwindow/Window1.h"

#include "backends/headless/HeadlessPlatform.h"
#include "classlib/BevelButton.h"
#include "classlib/HTMLViewer.h"
#include "classlib/WindowSupport.h"
#include "runtime/Probe.h"
#include "runtime/Runtime.h"

#include "unit/TemporaryConfigHome.h"

#include <gtest/gtest.h>

#include <functional>
#include <map>
#include <string>
#include <vector>

namespace testing_support {

// The main window's place and size, whether it is shown, and its controls'
// places and sizes by name.
struct WindowSnapshot {
    platform::Rect window;
    bool shown = false;
    std::map<std::string, platform::Rect, std::less<>> controls;
};

// Runs the program's start-up on the headless backend, without the event
// loop, so a test can act as the user and look at what the program did.
class ProgramTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // Start-up as the program's main function does it, up to the event loop;
    // `beforeStartup` may set up the headless platform first.
    void startProgram(const std::function<void(headless::HeadlessPlatform&)>& beforeStartup = {});

    headless::HeadlessPlatform& platform() { return headless::HeadlessPlatform::current(); }
    rt::RefPtr<cl::Window> mainWindow() { return cl::RuntimeGetImplicitWindow(mainwindow::kWindow1ClassName); }
    headless::HeadlessWindow& nativeWindow();
    headless::HeadlessWebView& webView(const char* name);
    headless::HeadlessButton& button(const char* name);
    void click(const char* buttonName) { button(buttonName).click(); }

    // Posted work (page completions, resize runs) runs.
    void settle() { platform().loop.drain(); }

    WindowSnapshot snapshot();
    // The main window as each "Resized" run found it, in order: the first is
    // what building and "Open" left.
    std::vector<WindowSnapshot> beforeResizedRuns;

    std::vector<std::string> milestones;
    TemporaryConfigHome config;
    bool started = false;
};

// The program started before each test.
class StartedProgramTest : public ProgramTest {
protected:
    void SetUp() override { ProgramTest::SetUp(); startProgram(); }
};

} // namespace testing_support
