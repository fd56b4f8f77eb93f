#pragma once

#include "EventLoopHeadless.h"
#include "NativeWindowHeadless.h"

#include "platform/Platform.h"

#include <string>
#include <vector>

namespace platform::headless {

// The platform tests run on: screens a test may set, windows kept in memory,
// and a default browser that only writes down what it was handed.
class PlatformHeadless final : public platform::Platform {
public:
    PlatformHeadless();
    ~PlatformHeadless() override;

    // The platform of the running process; only valid while the runtime is up.
    static PlatformHeadless& current();

    void initialize() override;
    platform::EventLoop& eventLoop() override { return loop; }
    std::unique_ptr<platform::NativeWindow> createWindow(platform::NativeWindowClient&) override;
    std::vector<platform::Rect> screens() override { return screenRects; }
    void openInDefaultBrowser(std::string_view url, std::function<void(std::string_view)> failed) override;

    // A signal asks the program to end (a logout, Ctrl+C): as on the real
    // desktop, each open window is asked to close as its close button would;
    // with none open, the loop ends.
    void endSignal();

    // Open windows, oldest first (not owned).
    const std::vector<NativeWindowHeadless*>& windows() const { return m_windows; }

    EventLoopHeadless loop;
    std::vector<platform::Rect> screenRects { { 0, 0, 1440, 900 } };
    std::vector<std::string> browserRequests; // every address handed out, taken or not
    bool failInitialization = false;
    bool failBrowser = false;

private:
    std::vector<NativeWindowHeadless*> m_windows;
};

} // namespace platform::headless
