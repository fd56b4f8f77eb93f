#pragma once

#include <filesystem>

namespace os {

// Child processes can still write in `folder` after this process has removed
// it: the engine's end only once they notice that this one has gone. When
// any child is there, a process of its own, outside this one's session so
// that a terminal's signals miss it, waits for each to end (half a minute at
// most) and removes the folder again.
void RemoveAgainAfterChildrenEnd(const std::filesystem::path& folder);

} // namespace os
