#pragma once

#include <glib.h>

#include <array>
#include <functional>

namespace platform::gtk {

// SIGTERM, SIGINT and SIGHUP (a logout, Ctrl+C, a closed terminal) ask the
// program to end. The first one is handed to `ended` from the loop, so the
// program can close as the user would have it close. Any of the three that
// comes a second time ends the process at once, so an insistent sender is
// not kept waiting behind a close that hangs. Another one's first arrival
// during the close changes nothing: a session that ends sends SIGTERM and
// SIGHUP together, and the close must not be cut short by its own echo.
class EndSignalsGtk {
public:
    explicit EndSignalsGtk(std::function<void()> ended);
    EndSignalsGtk(const EndSignalsGtk&) = delete;
    EndSignalsGtk& operator=(const EndSignalsGtk&) = delete;
    ~EndSignalsGtk();

private:
    struct Watch {
        EndSignalsGtk* owner;
        int signal;
        guint source;
    };

    static gboolean received(gpointer watch);
    static void stopWatching(Watch& watch);

    std::function<void()> m_ended;
    bool m_endAsked = false;
    std::array<Watch, 3> m_watches;
};

} // namespace platform::gtk
