#pragma once

#include <string_view>

namespace platform {

// True for an address the engine runs as script in the page it is given to
// instead of loading it: a "javascript:" one, its scheme read as the engine
// reads addresses (blanks and control characters before it dropped, tabs and
// line ends anywhere ignored, letters in either case).
bool IsScriptAddress(std::string_view address);

} // namespace platform
