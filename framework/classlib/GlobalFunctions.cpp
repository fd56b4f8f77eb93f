#include "GlobalFunctions.h"

#include "runtime/Runtime.h"

#include "os/TellUser.h"
#include "platform/Platform.h"

#include <charconv>
#include <cmath>
#include <string>
#include <utility>

namespace cl {

std::optional<LeadingNumber> ReadLeadingNumber(std::string_view text)
{
    const auto start = text.find_first_not_of(kBlanksAroundNumbers);
    if (start == std::string_view::npos)
        return std::nullopt;
    text.remove_prefix(start);
    // from_chars takes a "-" but no "+"; a "+" may stand only where no "-" does.
    if (text.starts_with('+') && !text.starts_with("+-"))
        text.remove_prefix(1);
    double value = 0;
    // from_chars reads only plain decimal numbers: no locale and no hex.
    const auto result = std::from_chars(text.data(), text.data() + text.size(), value, std::chars_format::general);
    if (result.ec != std::errc() || !std::isfinite(value))
        return std::nullopt;
    return LeadingNumber { value, text.substr(static_cast<std::size_t>(result.ptr - text.data())) };
}

double CDbl(const rt::String& text)
{
    const auto number = ReadLeadingNumber(text.view());
    return number ? number->value : 0;
}

rt::String Str(std::int32_t value)
{
    return rt::String(std::to_string(value));
}

void ShowURL(const rt::String& url)
{
    auto reportFailure = [quoted = os::Quoted(url.view())](std::string_view reason) {
        os::TellUser("could not open " + quoted + " in the default web browser: " + std::string(reason));
    };
    rt::RuntimePlatform().openInDefaultBrowser(url.view(), std::move(reportFailure));
}

void Quit(std::int32_t code)
{
    rt::RuntimeQuit(code);
}

} // namespace cl
