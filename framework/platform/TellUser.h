#pragma once

#include <string_view>

namespace platform {

// One line on standard error, behind the program's name, as command-line
// programs say what went wrong; written whole, so lines never interleave.
void TellUser(std::string_view message);

} // namespace platform
