#include "EventLoopGtk.h"

#include "CallbackGuardGtk.h"

#include <gtk/gtk.h>

#include <utility>

namespace platform::gtk {

EventLoopGtk::~EventLoopGtk()
{
    std::lock_guard lock(mutex_);
    if (idleSource_)
        g_source_remove(idleSource_);
}

void EventLoopGtk::run()
{
    quitRequested_ = false;
    gtk_main();
    // A quit aimed at this level must not cut short the posted work an outer
    // level goes on to drain.
    quitRequested_ = false;
}

void EventLoopGtk::quit()
{
    if (gtk_main_level() == 0)
        return;
    quitRequested_ = true;
    gtk_main_quit();
}

void EventLoopGtk::post(std::function<void()> work)
{
    std::lock_guard lock(mutex_);
    queue_.push_back(std::move(work));
    if (!idleSource_)
        idleSource_ = g_idle_add(&EventLoopGtk::drainQueue, this);
}

gboolean EventLoopGtk::drainQueue(gpointer self)
{
    return static_cast<EventLoopGtk*>(self)->runPostedWork() ? G_SOURCE_CONTINUE : G_SOURCE_REMOVE;
}

bool EventLoopGtk::runPostedWork()
{
    std::deque<std::function<void()>> batch;
    {
        std::lock_guard lock(mutex_);
        batch.swap(queue_);
    }
    // Work posted while this batch runs waits for the next wake-up, so work
    // that posts itself again cannot starve the rest of the loop.
    while (!batch.empty()) {
        auto work = std::move(batch.front());
        batch.pop_front();
        guardCallback("posted work", [&] { work(); });
        if (quitRequested_)
            break; // the loop is to end once this callback returns
    }
    std::lock_guard lock(mutex_);
    if (!batch.empty()) {
        batch.insert(batch.end(), std::make_move_iterator(queue_.begin()), std::make_move_iterator(queue_.end()));
        queue_.swap(batch);
    }
    if (queue_.empty()) {
        idleSource_ = 0;
        return false;
    }
    return true;
}

} // namespace platform::gtk
