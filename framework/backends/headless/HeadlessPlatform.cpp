#include "HeadlessPlatform.h"

#include <algorithm>
#include <stdexcept>

namespace headless {

namespace {
HeadlessPlatform* s_current = nullptr;
}

HeadlessPlatform::HeadlessPlatform()
{
    s_current = this;
}

HeadlessPlatform::~HeadlessPlatform()
{
    if (s_current == this)
        s_current = nullptr;
}

HeadlessPlatform& HeadlessPlatform::current()
{
    if (!s_current)
        throw std::logic_error("no headless platform is running");
    return *s_current;
}

void HeadlessPlatform::initialize()
{
    if (failInitialization)
        throw platform::PlatformError("the headless display was set to fail");
}

std::unique_ptr<platform::NativeWindow> HeadlessPlatform::createWindow(platform::NativeWindowClient& client)
{
    auto window = std::make_unique<HeadlessWindow>(client, loop, [this](HeadlessWindow* gone) {
        std::erase(m_windows, gone);
    });
    m_windows.push_back(window.get());
    return window;
}

void HeadlessPlatform::endSignal()
{
    if (m_windows.empty()) {
        loop.quit();
        return;
    }
    for (HeadlessWindow* window : std::vector(m_windows)) {
        if (std::ranges::find(m_windows, window) != m_windows.end())
            window->userClose();
    }
}

void HeadlessPlatform::openInDefaultBrowser(std::string_view url, std::function<void(std::string_view)> failed)
{
    browserRequests.emplace_back(url);
    if (failBrowser)
        loop.post([failed = std::move(failed)] { failed("no default browser"); });
}

} // namespace headless

namespace platform {

std::unique_ptr<Platform> CreatePlatform()
{
    return std::make_unique<headless::HeadlessPlatform>();
}

} // namespace platform
