#include "PlatformHeadless.h"

#include "platform/CloseEveryWindow.h"

#include <algorithm>
#include <stdexcept>

namespace platform::headless {

namespace {
PlatformHeadless* s_current = nullptr;
}

PlatformHeadless::PlatformHeadless()
{
    s_current = this;
}

PlatformHeadless::~PlatformHeadless()
{
    if (s_current == this)
        s_current = nullptr;
}

PlatformHeadless& PlatformHeadless::current()
{
    if (!s_current)
        throw std::logic_error("no headless platform is running");
    return *s_current;
}

void PlatformHeadless::initialize()
{
    if (failInitialization)
        throw platform::PlatformError("the headless display was set to fail");
}

std::unique_ptr<platform::NativeWindow> PlatformHeadless::createWindow(platform::NativeWindowClient& client)
{
    auto window = std::make_unique<NativeWindowHeadless>(
        client, loop, [this](NativeWindowHeadless* gone) { std::erase(m_windows, gone); });
    m_windows.push_back(window.get());
    return window;
}

void PlatformHeadless::endSignal()
{
    platform::CloseEveryWindow(m_windows, loop, [](NativeWindowHeadless& window) { window.userClose(); });
}

void PlatformHeadless::openInDefaultBrowser(std::string_view url, std::function<void(std::string_view)> failed)
{
    browserRequests.emplace_back(url);
    if (failBrowser)
        loop.post([failed = std::move(failed)] { failed("no default browser"); });
}

} // namespace platform::headless

namespace platform {

std::unique_ptr<Platform> CreatePlatform()
{
    return std::make_unique<platform::headless::PlatformHeadless>();
}

} // namespace platform
