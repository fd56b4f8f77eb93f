#include "ProgramFixture.h"


namespace testing_support {

void ProgramTest::SetUp()
{
    rt::RuntimeSetProbe([this](std::string_view milestone) { milestones.emplace_back(milestone); });
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
    if (beforeStartup)
        beforeStartup(platform());
    program::initialize();
    rt::RunFrameworkInitialization(&program::Startup);
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
