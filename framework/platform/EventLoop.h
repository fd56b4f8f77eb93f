#pragma once

#include <functional>

namespace platform {

class EventLoop {
public:
    virtual ~EventLoop() = default;

    // Dispatches events until quit() is called; returns after the callback that
    // called quit() has returned.
    virtual void run() = 0;
    virtual void quit() = 0;

    // Runs `work` later on the loop's thread, in the order posted.
    virtual void post(std::function<void()> work) = 0;
};

} // namespace platform
