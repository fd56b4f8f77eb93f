#pragma once

#include "platform/EventLoop.h"

#include <glib.h>

#include <atomic>
#include <deque>
#include <functional>
#include <mutex>

namespace platform::gtk {

// The GTK main loop. Posted work waits in a queue that one idle callback
// drains, so a burst of posts costs one wake-up and keeps its order.
class EventLoopGtk final : public EventLoop {
public:
    EventLoopGtk() = default;
    EventLoopGtk(const EventLoopGtk&) = delete;
    EventLoopGtk& operator=(const EventLoopGtk&) = delete;
    ~EventLoopGtk() override;

    void run() override;
    void quit() override;
    void post(std::function<void()> work) override;
    void runPending(std::chrono::milliseconds wait) override;
    void runOne(bool wait) override;

private:
    static gboolean drainQueue(gpointer self);
    bool runPostedWork();

    std::mutex m_mutex;
    std::deque<std::function<void()>> m_queue;
    std::deque<std::function<void()>> m_batch; // the loop thread's alone
    guint m_idleSource = 0;
    std::atomic<bool> m_quitRequested = false;
};

} // namespace platform::gtk
