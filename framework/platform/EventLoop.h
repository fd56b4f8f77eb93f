#pragma once

#include <chrono>
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

    // From inside a callback: runs the events that are ready, then those that
    // come within `wait`; returns early once quit() was called.
    virtual void runPending(std::chrono::milliseconds wait) = 0;

    // From inside a callback: runs one event, waiting for one first when none
    // is ready and `wait` is true.
    virtual void runOne(bool wait) = 0;
};

} // namespace platform
