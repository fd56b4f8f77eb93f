#pragma once

#include <string>
#include <string_view>

namespace os {

// One line on standard error, behind the program's name, as command-line
// programs say what went wrong; written whole, so lines never interleave.
void TellUser(std::string_view message);

// A value from outside (an address, an environment variable) as a message
// quotes it: its first 200 characters at most, and its length, so a
// megabyte-long value can't flood the log.
std::string Quoted(std::string_view value);

} // namespace os
