#pragma once

#include "EventLoop.h"
#include "Geometry.h"
#include "NativeWindow.h"

#include <functional>
#include <memory>
#include <stdexcept>
#include <string_view>
#include <vector>

namespace platform {

class PlatformError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// The seam between the framework and a toolkit: one implementation per
// backend, one backend per process.
class Platform {
public:
    virtual ~Platform() = default;

    // Brings the toolkit up; throws PlatformError when it can't (no display).
    virtual void initialize() = 0;

    virtual EventLoop& eventLoop() = 0;
    virtual std::unique_ptr<NativeWindow> createWindow(NativeWindowClient&) = 0;

    // Every screen's full rectangle; the first is screen 0.
    virtual std::vector<Rect> screens() = 0;

    // Hands `url` to the user's default web browser and returns at once,
    // without waiting for the browser to start. When none takes it, `failed`
    // is called later, from the event loop, with the reason.
    virtual void openInDefaultBrowser(std::string_view url, std::function<void(std::string_view reason)> failed) = 0;
};

// The platform of the backend linked into the executable.
std::unique_ptr<Platform> CreatePlatform();

} // namespace platform
