#include "EventLoopGtk.h"

#include "CallbackGuardGtk.h"
#include "GLibPtrGtk.h"

#include <gtk/gtk.h>

#include <utility>

namespace platform::gtk {

EventLoopGtk::~EventLoopGtk()
{
    std::lock_guard lock(m_mutex);
    if (m_idleSource)
        g_source_remove(m_idleSource);
}

void EventLoopGtk::run()
{
    m_quitRequested = false;
    gtk_main();
    // A quit aimed at this level must not cut short the posted work an outer
    // level goes on to drain.
    m_quitRequested = false;
}

void EventLoopGtk::quit()
{
    if (gtk_main_level() == 0)
        return;
    m_quitRequested = true;
    gtk_main_quit();
}

void EventLoopGtk::post(std::function<void()> work)
{
    std::lock_guard lock(m_mutex);
    m_queue.push_back(std::move(work));
    if (m_idleSource)
        return;
    // A handler the queue runs may run pending events itself, and the queue
    // is among them.
    GSourcePtr source(g_idle_source_new());
    g_source_set_can_recurse(source.get(), TRUE);
    g_source_set_callback(source.get(), &EventLoopGtk::drainQueue, this, nullptr);
    m_idleSource = g_source_attach(source.get(), nullptr);
}

// The event that quits ends the run, as it ends run().
void EventLoopGtk::runPending(std::chrono::milliseconds wait)
{
    bool waited = wait.count() <= 0;
    guint timer = 0;
    if (!waited) {
        timer = g_timeout_add(
            static_cast<guint>(wait.count()),
            [](gpointer flag) {
                *static_cast<bool*>(flag) = true;
                return G_SOURCE_REMOVE;
            },
            &waited);
    }
    while (!waited || g_main_context_pending(nullptr)) {
        g_main_context_iteration(nullptr, !waited);
        if (m_quitRequested)
            break;
    }
    if (!waited)
        g_source_remove(timer);
}

void EventLoopGtk::runOne(bool wait)
{
    g_main_context_iteration(nullptr, wait);
}

gboolean EventLoopGtk::drainQueue(gpointer self)
{
    return static_cast<EventLoopGtk*>(self)->runPostedWork() ? G_SOURCE_CONTINUE : G_SOURCE_REMOVE;
}

bool EventLoopGtk::runPostedWork()
{
    {
        std::lock_guard lock(m_mutex);
        if (m_batch.empty())
            m_batch.swap(m_queue);
    }
    // Work posted while this batch runs waits for the next wake-up, so work
    // that posts itself again cannot starve the rest of the loop. A handler
    // that runs pending events from inside the batch goes on with the batch
    // where it stands, so the order stays the order posted.
    while (!m_batch.empty()) {
        auto work = std::move(m_batch.front());
        m_batch.pop_front();
        guardCallback("posted work", [&] { work(); });
        if (m_quitRequested)
            break; // the loop is to end once this callback returns
    }
    std::lock_guard lock(m_mutex);
    if (m_batch.empty() && m_queue.empty()) {
        m_idleSource = 0;
        return false;
    }
    return true;
}

} // namespace platform::gtk
