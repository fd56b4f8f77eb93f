#include "EndSignalsGtk.h"

#include "CallbackGuardGtk.h"

#include <glib-unix.h>

#include <csignal>
#include <utility>

namespace platform::gtk {

EndSignalsGtk::EndSignalsGtk(std::function<void()> ended)
    : m_ended(std::move(ended))
    , m_watches { { { this, SIGTERM, 0 }, { this, SIGINT, 0 }, { this, SIGHUP, 0 } } }
{
    for (Watch& watch : m_watches)
        watch.source = g_unix_signal_add(watch.signal, &EndSignalsGtk::received, &watch);
}

EndSignalsGtk::~EndSignalsGtk()
{
    for (Watch& watch : m_watches)
        stopWatching(watch);
}

gboolean EndSignalsGtk::received(gpointer data)
{
    auto& watch = *static_cast<Watch*>(data);
    EndSignalsGtk& signals = *watch.owner;
    stopWatching(watch);
    if (!std::exchange(signals.m_endAsked, true))
        guardCallback("end signal", [&] { signals.m_ended(); });
    return G_SOURCE_REMOVE;
}

void EndSignalsGtk::stopWatching(Watch& watch)
{
    if (watch.source)
        g_source_remove(watch.source);
    watch.source = 0;
    std::signal(watch.signal, SIG_DFL);
}

} // namespace platform::gtk
