#include "ScriptAddress.h"

namespace platform {

namespace {

constexpr bool IsIgnoredAnywhere(char c)
{
    return c == '\t' || c == '\n' || c == '\r';
}

constexpr char AsciiLower(char c)
{
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

} // namespace

bool IsScriptAddress(std::string_view address)
{
    constexpr std::string_view scriptScheme = "javascript";
    std::size_t at = 0;
    while (at < address.size() && static_cast<unsigned char>(address[at]) <= ' ')
        ++at;
    std::size_t matched = 0;
    for (; at < address.size(); ++at) {
        const char c = address[at];
        if (IsIgnoredAnywhere(c))
            continue;
        if (matched == scriptScheme.size())
            return c == ':';
        if (AsciiLower(c) != scriptScheme[matched])
            return false;
        ++matched;
    }
    return false;
}

} // namespace platform
