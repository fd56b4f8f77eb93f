#pragma once

#include "platform/EventLoop.h"

#include <chrono>
#include <deque>

namespace platform::headless {

// A deterministic loop: posted work runs in order, one item at a time. With
// nothing left to run and no quit asked for, the loop would wait forever, so
// run() reports a hung loop instead; a watchdog bounds the work it will do.
class EventLoopHeadless final : public platform::EventLoop {
public:
    void run() override;
    void quit() override { m_quitRequested = true; }
    void post(std::function<void()> work) override { m_queue.push_back(std::move(work)); }
    // Nothing reaches this loop from outside, so there is nothing to wait for
    // beyond what is queued.
    void runPending(std::chrono::milliseconds wait) override;
    // Waiting with nothing queued would never end, so it is reported instead.
    void runOne(bool wait) override;

    // Runs what is posted (and what that posts) until nothing is left; for
    // tests that drive events without running the loop itself.
    void drain();

    std::size_t maximumSteps = 100000;
    std::chrono::milliseconds deadline { 20000 };

private:
    bool runNext();
    // Runs what is queued, and what that queues, until nothing is left or,
    // when `stopAtQuit`, quit() was called.
    void runQueued(bool stopAtQuit);

    std::deque<std::function<void()>> m_queue;
    bool m_quitRequested = false;
};

} // namespace platform::headless
