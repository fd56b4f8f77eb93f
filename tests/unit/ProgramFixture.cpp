#include "ProgramFixture.h"

namespace testing_support {

template<class T>
static T& NativeOf(cl::Window& window, const char* name)
{
    auto* rect = dynamic_cast<cl::RectControl*>(window.controlNamed(name).get());
    if (auto* native = dynamic_cast<T*>(rect ? rect->native() : nullptr))
        return *native;
    throw std::logic_error(std::string("no native control for ") + name);
}

void ProgramTest::SetUp()
{
    rt::RuntimeSetProbe([this](std::string_view milestone) {
        milestones.emplace_back(milestone);
        if (milestone == "event Resized" && mainWindow())
            beforeResizedRuns.push_back(snapshot());
    });
}

void ProgramTest::TearDown()
{
    if (started) {
        program::finalize();
        rt::RuntimeExit();
    }
    rt::RuntimeSetProbe({});
}

void ProgramTest::startProgram(const std::function<void(headless::HeadlessPlatform&)>& beforeStartup)
{
    rt::RuntimeInit();
    started = true;
    beforeResizedRuns.clear();
    if (beforeStartup)
        beforeStartup(platform());
    program::initialize();
    rt::RunFrameworkInitialization(&program::Startup);
}

WindowSnapshot ProgramTest::snapshot()
{
    auto window = mainWindow();
    auto* native = dynamic_cast<headless::HeadlessWindow*>(window->native());
    WindowSnapshot taken { { window->Left(), window->Top(), window->Width(), window->Height() },
        native && native->shown, {} };
    for (const auto& [name, control] : window->controls()) {
        auto& rect = dynamic_cast<cl::RectControl&>(control.get());
        taken.controls[name.str()] = { rect.Left(), rect.Top(), rect.Width(), rect.Height() };
    }
    return taken;
}

headless::HeadlessWindow& ProgramTest::nativeWindow()
{
    auto window = mainWindow();
    if (!window || !window->native())
        throw std::logic_error("the main window is not open");
    return dynamic_cast<headless::HeadlessWindow&>(*window->native());
}

headless::HeadlessWebView& ProgramTest::webView(const char* name)
{
    return NativeOf<headless::HeadlessWebView>(*mainWindow(), name);
}

headless::HeadlessButton& ProgramTest::button(const char* name)
{
    return NativeOf<headless::HeadlessButton>(*mainWindow(), name);
}

} // namespace testing_support
