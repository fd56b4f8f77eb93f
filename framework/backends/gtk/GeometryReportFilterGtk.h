#pragma once

#include <algorithm>
#include <cstdint>
#include <optional>
#include <vector>

namespace platform::gtk {

struct WindowPair {
    std::int32_t first = 0;
    std::int32_t second = 0;
    friend bool operator==(const WindowPair&, const WindowPair&) = default;
};

// Decides which of a window's sizes (or positions) the client must hear of.
// It is not told what it asked for itself. A request takes a round trip to
// the X server, maybe through the window manager, and the configure events
// that arrive meanwhile still show the geometry from before it (or from an
// earlier request); those are let pass unreported too, or the client would
// hear the old value after asking for the new one. Anything else is news.
class GeometryReportFilter {
public:
    // `shown` is what the window has on screen now, if it is on screen.
    void requested(WindowPair asked, std::optional<WindowPair> shown)
    {
        if (!m_outdated.empty() && m_expected)
            m_outdated.push_back(*m_expected); // an earlier request is still on its way
        if (shown && *shown != asked)
            m_outdated.push_back(*shown);
        m_expected = asked;
    }

    // True when `seen` is to be reported.
    bool observed(WindowPair seen)
    {
        if (m_expected == seen) {
            m_outdated.clear();
            return false;
        }
        if (std::find(m_outdated.begin(), m_outdated.end(), seen) != m_outdated.end())
            return false;
        m_outdated.clear();
        m_expected = seen;
        return true;
    }

private:
    std::optional<WindowPair> m_expected; // what the client believes
    std::vector<WindowPair> m_outdated;
};

} // namespace platform::gtk
