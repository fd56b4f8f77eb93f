#include "EventLoopHeadless.h"

#include <stdexcept>

namespace platform::headless {

bool EventLoopHeadless::runNext()
{
    if (m_queue.empty())
        return false;
    auto work = std::move(m_queue.front());
    m_queue.pop_front();
    work();
    return true;
}

void EventLoopHeadless::run()
{
    m_quitRequested = false;
    const auto start = std::chrono::steady_clock::now();
    for (std::size_t steps = 0; !m_quitRequested; ++steps) {
        if (steps >= maximumSteps || std::chrono::steady_clock::now() - start > deadline)
            throw std::runtime_error("headless event loop watchdog: the loop never quit");
        if (!runNext())
            throw std::runtime_error("headless event loop is idle and was never told to quit");
    }
}

void EventLoopHeadless::runQueued(bool stopAtQuit)
{
    for (std::size_t steps = 0; !(stopAtQuit && m_quitRequested) && runNext(); ++steps) {
        if (steps >= maximumSteps)
            throw std::runtime_error("headless event loop watchdog: posted work never ran out");
    }
}

void EventLoopHeadless::drain()
{
    runQueued(false);
}

void EventLoopHeadless::runPending(std::chrono::milliseconds)
{
    runQueued(true);
}

void EventLoopHeadless::runOne(bool wait)
{
    if (!runNext() && wait)
        throw std::runtime_error("headless event loop is idle: the awaited event can never come");
}

} // namespace platform::headless
