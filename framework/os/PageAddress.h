#pragma once

#include <string_view>

namespace os {

// Questions about an address a page or the user gives, each answered from its
// scheme read as the engine reads addresses: blanks and control characters
// before it dropped, tabs and line ends anywhere in it ignored, letters in
// either case.

// True for an address the engine runs as script in the page it is given to
// instead of loading it: a "javascript:" one.
bool IsScriptAddress(std::string_view address);

// True for an address that names something only inside the page that made
// it, which nothing outside the page can fetch: a "blob:" or "data:" one.
bool IsPageOnlyAddress(std::string_view address);

// True for an "http:" or "https:" address with something after the colon,
// the only kind that may be handed to the desktop's browser: any other
// scheme (file:, javascript:, a custom handler) would let a page open local
// files or programs. The address goes out as it is written, and another
// program may read it less carefully than the engine does, so one whose
// scheme reads as a web one only once blanks, control characters, tabs or
// line ends are passed over is refused.
bool IsWebAddress(std::string_view address);

} // namespace os
