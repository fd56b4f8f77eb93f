#include "PageAddress.h"

#include <optional>
#include <string>

namespace os {

namespace {

constexpr bool IsIgnoredAnywhere(char c)
{
    return c == '\t' || c == '\n' || c == '\r';
}

constexpr bool IsDroppedBefore(char c)
{
    return static_cast<unsigned char>(c) <= ' ';
}

constexpr char AsciiLower(char c)
{
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

constexpr bool IsSchemeCharacter(char c)
{
    return (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '+' || c == '-' || c == '.';
}

struct Scheme {
    std::string name; // in lower case, without the colon
    std::size_t colon = 0; // where the colon that ends it stands in the address
    bool written = true; // read without passing over anything
};

// The address's scheme, or nothing when no colon ends a run of scheme
// characters.
std::optional<Scheme> ReadScheme(std::string_view address)
{
    Scheme scheme;
    std::size_t at = 0;
    while (at < address.size() && IsDroppedBefore(address[at]))
        ++at;
    scheme.written = at == 0;
    for (; at < address.size(); ++at) {
        const char c = AsciiLower(address[at]);
        if (c == ':') {
            scheme.colon = at;
            return scheme;
        }
        if (IsIgnoredAnywhere(c)) {
            scheme.written = false;
            continue;
        }
        if (!IsSchemeCharacter(c))
            return std::nullopt;
        scheme.name += c;
    }
    return std::nullopt;
}

} // namespace

bool IsScriptAddress(std::string_view address)
{
    const auto scheme = ReadScheme(address);
    return scheme && scheme->name == "javascript";
}

bool IsPageOnlyAddress(std::string_view address)
{
    const auto scheme = ReadScheme(address);
    return scheme && (scheme->name == "blob" || scheme->name == "data");
}

bool IsWebAddress(std::string_view address)
{
    const auto scheme = ReadScheme(address);
    return scheme && scheme->written && (scheme->name == "http" || scheme->name == "https")
        && address.size() > scheme->colon + 1;
}

} // namespace os
