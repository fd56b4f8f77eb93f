#include "HeadlessEventLoop.h"

#include <stdexcept>

namespace headless {

bool HeadlessEventLoop::runOne()
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
        if (!runOne())
            throw std::runtime_error("headless event loop is idle and was never told to quit");
    }
}

void HeadlessEventLoop::drain()
{
    for (std::size_t steps = 0; runOne(); ++steps) {
        if (steps >= maximumSteps)
            throw std::runtime_error("headless event loop watchdog: posted work never ran out");
    }
}

} // namespace headless
