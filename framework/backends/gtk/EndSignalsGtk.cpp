#include "EndSignalsGtk.h"

#include "CallbackGuardGtk.h"

#include <glib-unix.h>

#include <csignal>
#include <utility>

namespace platform::gtk {

namespace {
constexpr std::array<int, 3> EndSignals { SIGTERM, SIGINT, SIGHUP };
}

EndSignalsGtk::EndSignalsGtk(std::function<void()> ended)
    : ended_(std::move(ended))
{
    for (std::size_t i = 0; i < EndSignals.size(); ++i)
        sources_[i] = g_unix_signal_add(EndSignals[i], &EndSignalsGtk::received, this);
}

EndSignalsGtk::~EndSignalsGtk()
{
    for (guint source : sources_) {
        if (source)
            g_source_remove(source);
    }
}

gboolean EndSignalsGtk::received(gpointer self)
{
    auto& signals = *static_cast<EndSignalsGtk*>(self);
    signals.stopWatching();
    guardCallback("end signal", [&] { signals.ended_(); });
    return G_SOURCE_REMOVE;
}

void EndSignalsGtk::stopWatching()
{
    for (std::size_t i = 0; i < EndSignals.size(); ++i) {
        if (sources_[i])
            g_source_remove(sources_[i]);
        sources_[i] = 0;
        std::signal(EndSignals[i], SIG_DFL);
    }
}

} // namespace platform::gtk
