#include "EndSignalsGtk.h"

#include "CallbackGuardGtk.h"

#include <glib-unix.h>

#include <csignal>
#include <utility>

namespace platform::gtk {

namespace {
constexpr std::array<int, 3> EndSignals { SIGTERM, SIGINT, SIGHUP };
}

EndSignalsGtk::EndSignalsGtk(std::function<void()> ended) : m_ended(std::move(ended))
{
    for (std::size_t i = 0; i < EndSignals.size(); ++i)
        m_sources[i] = g_unix_signal_add(EndSignals[i], &EndSignalsGtk::received, this);
}

EndSignalsGtk::~EndSignalsGtk()
{
    for (guint source : m_sources) {
        if (source)
            g_source_remove(source);
    }
}

gboolean EndSignalsGtk::received(gpointer self)
{
    auto& signals = *static_cast<EndSignalsGtk*>(self);
    signals.stopWatching();
    guardCallback("end signal", [&] { signals.m_ended(); });
    return G_SOURCE_REMOVE;
}

void EndSignalsGtk::stopWatching()
{
    for (std::size_t i = 0; i < EndSignals.size(); ++i) {
        if (m_sources[i])
            g_source_remove(m_sources[i]);
        m_sources[i] = 0;
        std::signal(EndSignals[i], SIG_DFL);
    }
}

} // namespace platform::gtk
