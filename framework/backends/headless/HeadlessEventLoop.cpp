#include "HeadlessEventLoop.h"

#include <stdexcept>

namespace headless {

bool HeadlessEventLoop::runNext()
{
    if (m_queue.empty())
        return false;
    auto work = std::move(m_queue.front());
    m_queue.pop_front();
    work();
    return true;
}

void HeadlessEventLoop::run()
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

void HeadlessEventLoop::runQueued(bool stopAtQuit)
{
    for (std::size_t steps = 0; !(stopAtQuit && m_quitRequested) && runNext(); ++steps) {
        if (steps >= maximumSteps)
            throw std::runtime_error("headless event loop watchdog: posted work never ran out");
    }
}

void HeadlessEventLoop::drain()
{
    runQueued(false);
}

void HeadlessEventLoop::runPending(std::chrono::milliseconds)
{
    runQueued(true);
}

void HeadlessEventLoop::runOne(bool wait)
{
    if (!runNext() && wait)
        throw std::runtime_error("headless event loop is idle: the awaited event can never come");
}

} // namespace headless
