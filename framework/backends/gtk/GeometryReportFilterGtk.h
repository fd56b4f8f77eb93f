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
        if (!outdated_.empty() && expected_)
            outdated_.push_back(*expected_); // an earlier request is still on its way
        if (shown && *shown != asked)
            outdated_.push_back(*shown);
        expected_ = asked;
    }

    // True when `seen` is to be reported.
    bool observed(WindowPair seen)
    {
        if (expected_ == seen) {
            outdated_.clear();
            return false;
        }
        if (std::find(outdated_.begin(), outdated_.end(), seen) != outdated_.end())
            return false;
        outdated_.clear();
        expected_ = seen;
        return true;
    }

private:
    std::optional<WindowPair> expected_; // what the client believes
    std::vector<WindowPair> outdated_;
};

} // namespace platform::gtk
