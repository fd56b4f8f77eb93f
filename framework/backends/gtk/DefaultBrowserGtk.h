#pragma once

#include <functional>
#include <string_view>

namespace platform::gtk {

// Starts the desktop's handler for `url` (by its scheme, never through a
// shell) and returns at once: looking the handler up and starting it may take
// a while, and the loop must keep serving the user meanwhile. The handler gets
// `environment` ("NAME=value" strings, NULL-ended) wherever this process's
// own now differs. When nothing takes the address, `failed` is called from
// the loop with the reason.
void LaunchDefaultBrowser(
    std::string_view url, const char* const* environment, std::function<void(std::string_view reason)> failed);

} // namespace platform::gtk
