#pragma once

#include "HeadlessEventLoop.h"
#include "HeadlessWindow.h"

#include "platform/Platform.h"

#include <string>
#include <vector>

namespace headless {

// The platform tests run on: screens a test may set, windows kept in memory,
// and a default browser that only writes down what it was handed.
class HeadlessPlatform final : public platform::Platform {
public:
    HeadlessPlatform();
    ~HeadlessPlatform() override;

    // The platform of the running process; only valid while the runtime is up.
    static HeadlessPlatform& current();

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
    const std::vector<HeadlessWindow*>& windows() const { return m_windows; }

    HeadlessEventLoop loop;
    std::vector<platform::Rect> screenRects { { 0, 0, 1440, 900 } };
    std::vector<std::string> browserRequests; // every address handed out, taken or not
    bool failInitialization = false;
    bool failBrowser = false;

private:
    std::vector<HeadlessWindow*> m_windows;
};

} // namespace headless
