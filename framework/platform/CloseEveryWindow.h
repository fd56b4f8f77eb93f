#pragma once

#include "EventLoop.h"

#include <algorithm>
#include <vector>

namespace platform {

// Asks each open window to close, as its close button would, for a session
// that ends or a terminal that closes. A window that an earlier one's close
// took with it is skipped; with none open, the loop ends at once.
template <class Window, class AskToClose>
void CloseEveryWindow(const std::vector<Window*>& openWindows, EventLoop& loop, AskToClose askToClose)
{
    if (openWindows.empty()) {
        loop.quit();
        return;
    }
    for (Window* window : std::vector(openWindows)) {
        if (std::ranges::find(openWindows, window) != openWindows.end())
            askToClose(*window);
    }
}

} // namespace platform
