#pragma once

#include "app/ProgramMain.h"
#include "app/Startup.h"
#include "mainwindow/Window1.h"

#include "backends/headless/PlatformHeadless.h"
#include "classlib/BevelButton.h"
#include "classlib/HTMLViewer.h"
#include "classlib/WindowSupport.h"
#include "runtime/Probe.h"
#include "runtime/Runtime.h"

#include "support/TemporaryConfigHome.h"

#include <gtest/gtest.h>

#include <array>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <vector>

namespace testing_support {

// The main window's place and size, whether it is shown, and its controls' places and sizes by name.
struct WindowSnapshot {
    platform::Rect window;
    bool shown = false;
    std::map<std::string, platform::Rect, std::less<>> controls;
};

// The program's start-up on the headless backend, without the event loop: a test acts as the user.
class ProgramTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        rt::RuntimeSetProbe([this](std::string_view milestone) {
            milestones.emplace_back(milestone);
            if (milestone == "event Resized" && mainWindow())
                beforeResizedRuns.push_back(snapshot());
        });
    }
    void TearDown() override
    {
        if (started)
            stopProgram();
        rt::RuntimeSetProbe({});
    }

    // Start-up as the program's main function does it, up to the event loop;
    // `beforeStartup` may set up the headless platform first.
    void startProgram(const std::function<void(platform::headless::PlatformHeadless&)>& beforeStartup = {})
    {
        rt::RuntimeInit();
        started = true;
        beforeResizedRuns.clear();
        if (beforeStartup)
            beforeStartup(platform());
        program::initialize();
        rt::RunFrameworkInitialization(&program::Startup);
    }
    // As the program's main function ends a run, so that another can start.
    void stopProgram()
    {
        program::finalize();
        rt::RuntimeExit();
        started = false;
    }

    // Top, left, height and width in the geometry files; a value not given removes its file.
    void saveGeometry(const std::array<std::optional<std::string>, 4>& values)
    {
        for (std::size_t i = 0; i < kGeometryFiles.size(); ++i) {
            std::filesystem::remove(config.path() / kGeometryFiles[i]);
            if (values[i])
                config.write(kGeometryFiles[i], *values[i]);
        }
    }
    static constexpr std::array<const char*, 4> kGeometryFiles { "quillmere-top.txt", "quillmere-left.txt",
        "quillmere-height.txt", "quillmere-width.txt" };

    platform::headless::PlatformHeadless& platform() { return platform::headless::PlatformHeadless::current(); }
    rt::RefPtr<cl::Window> mainWindow() { return cl::FindImplicitWindow(mainwindow::kWindow1ClassName); }
    platform::headless::NativeWindowHeadless& nativeWindow()
    {
        return dynamic_cast<platform::headless::NativeWindowHeadless&>(*mainWindow()->native());
    }
    platform::headless::NativeWebViewHeadless& webView(const char* name)
    {
        return nativeOf<platform::headless::NativeWebViewHeadless>(name);
    }
    void click(const char* buttonName) { nativeOf<platform::headless::NativeButtonHeadless>(buttonName).click(); }

    template <class T>
    T& nativeOf(const char* name)
    {
        return dynamic_cast<T&>(*dynamic_cast<cl::RectControl&>(*mainWindow()->controlNamed(name)).native());
    }

    // Posted work (page completions, resize runs) runs.
    void settle() { platform().loop.drain(); }

    WindowSnapshot snapshot()
    {
        auto window = mainWindow();
        auto* native = dynamic_cast<platform::headless::NativeWindowHeadless*>(window->native());
        WindowSnapshot taken { { window->Left(), window->Top(), window->Width(), window->Height() },
            native && native->shown, {} };
        for (const auto& [name, control] : window->controls()) {
            auto& rect = dynamic_cast<cl::RectControl&>(control.get());
            taken.controls[name.str()] = { rect.Left(), rect.Top(), rect.Width(), rect.Height() };
        }
        return taken;
    }
    // The main window as each "Resized" run found it, in order: the first is what building and "Open" left.
    std::vector<WindowSnapshot> beforeResizedRuns;

    std::vector<std::string> milestones;
    TemporaryConfigHome config;
    bool started = false;
};

// The program started before each test, and what it posted run.
class StartedProgramTest : public ProgramTest {
protected:
    void SetUp() override
    {
        ProgramTest::SetUp();
        startProgram();
        settle();
    }
};

} // namespace testing_support
