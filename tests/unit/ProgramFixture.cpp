#include "ProgramFixture.h"

#include <cstdlib>
#include <fstream>
#include <sstream>
#include <unistd.h>

namespace testing_support {

TemporaryConfigHome::TemporaryConfigHome()
{
    std::string pattern = (std::filesystem::temp_directory_path() / "quillmere-test-XXXXXX").string();
    if (!mkdtemp(pattern.data()))
        throw std::runtime_error("cannot make a temporary folder");
    m_path = pattern;
    if (const char* previous = std::getenv("XDG_CONFIG_HOME")) {
        m_previous = previous;
        m_hadPrevious = true;
    }
    setenv("XDG_CONFIG_HOME", m_path.c_str(), 1);
}

TemporaryConfigHome::~TemporaryConfigHome()
{
    if (m_hadPrevious)
        setenv("XDG_CONFIG_HOME", m_previous.c_str(), 1);
    else
        unsetenv("XDG_CONFIG_HOME");
    std::error_code ignored;
    std::filesystem::remove_all(m_path, ignored);
}

std::string TemporaryConfigHome::read(const std::string& name) const
{
    std::ifstream file(m_path / name, std::ios::binary);
    std::ostringstream contents;
    contents << file.rdbuf();
    return contents.str();
}

void TemporaryConfigHome::write(const std::string& name, const std::string& contents) const
{
    std::ofstream(m_path / name, std::ios::binary) << contents;
}

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
