#pragma once

#include "runtime/String.h"

#include <cstdint>

namespace cl {

// The text's leading number as a double, read as the framework's language
// reads numbers: blanks before it are skipped, a "." is the decimal point, an
// optional sign and exponent are taken, and whatever follows is ignored.
// Text with no number at its start gives 0.
double CDbl(const rt::String& text);

// The decimal text of a 32-bit integer: a "-" before negative values, nothing
// else around the digits.
rt::String Str(std::int32_t value);

// Hands an address to the user's default web browser; a failure is written to
// standard error.
void ShowURL(const rt::String& url);

// Ends the application once the running handler has returned.
void Quit(std::int32_t code = 0);

} // namespace cl
