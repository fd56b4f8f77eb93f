#pragma once

#include "runtime/String.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace cl {

// What may stand around a number in text that someone edited by hand.
inline constexpr std::string_view kBlanksAroundNumbers = " \t\r\n";

struct LeadingNumber {
    double value;
    std::string_view rest; // the text after the number
};

// The text's leading number, read the same whatever the locale: blanks,
// tabs and line ends before it are skipped, a "." is the decimal
// point, an optional sign and exponent are taken. Nothing when the text starts
// with no finite number ("inf" and "nan" are none).
std::optional<LeadingNumber> ReadLeadingNumber(std::string_view text);

// The text's leading number as a double, whatever follows it; 0 when there is
// none.
double CDbl(const rt::String& text);

// The decimal text of a 32-bit integer: a "-" before negative values, nothing
// else around the digits.
rt::String Str(std::int32_t value);

// Hands an address to the user's default web browser without waiting for it
// to start; a failure is written to standard error later, from the event loop.
void ShowURL(const rt::String& url);

// Ends the application once the running handler has returned.
void Quit(std::int32_t code = 0);

} // namespace cl
