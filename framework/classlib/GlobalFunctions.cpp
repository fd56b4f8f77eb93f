#include "GlobalFunctions.h"

#include "runtime/Runtime.h"

#include "platform/Platform.h"

#include <cctype>
#include <charconv>
#include <cmath>
#include <iostream>

namespace cl {

double CDbl(const rt::String& text)
{
    auto view = text.view();
    while (!view.empty() && (view.front() == ' ' || view.front() == '\t'))
        view.remove_prefix(1);
    if (!view.empty() && view.front() == '+')
        view.remove_prefix(1);
    double value = 0;
    // from_chars reads only plain decimal numbers: no locale, hex or "inf".
    const auto result = std::from_chars(view.data(), view.data() + view.size(), value, std::chars_format::general);
    if (result.ec != std::errc() || !std::isfinite(value))
        return 0;
    return value;
}

rt::String Str(std::int32_t value)
{
    return rt::String(std::to_string(value));
}

void ShowURL(const rt::String& url)
{
    try {
        rt::RuntimePlatform().openInDefaultBrowser(url.view());
    } catch (const platform::PlatformError& error) {
        std::cerr << "Could not open " << url.view() << " in the default web browser: " << error.what() << std::endl;
    }
}

void Quit(std::int32_t code)
{
    rt::RuntimeQuit(code);
}

} // namespace cl
