#pragma once

#include <glib.h>

#include <array>
#include <functional>

namespace platform::gtk {

// SIGTERM, SIGINT and SIGHUP (a logout, Ctrl+C, a closed terminal) ask the
// program to end. The first one is handed to `ended` from the loop, so the
// program can close as the user would have it close; from then on the three
// end the process at once, so a second one is not kept waiting behind a
// close that hangs.
class EndSignalsGtk {
public:
    explicit EndSignalsGtk(std::function<void()> ended);
    EndSignalsGtk(const EndSignalsGtk&) = delete;
    EndSignalsGtk& operator=(const EndSignalsGtk&) = delete;
    ~EndSignalsGtk();

private:
    static gboolean received(gpointer self);
    void stopWatching();

    std::function<void()> m_ended;
    std::array<guint, 3> m_sources {};
};

} // namespace platform::gtk
