#include "TellUser.h"

#include <errno.h>

#include <cstdio>
#include <string>

namespace os {

void TellUser(std::string_view message)
{
    const std::string line = std::string(program_invocation_short_name) + ": " + std::string(message) + "\n";
    std::fwrite(line.data(), 1, line.size(), stderr);
    std::fflush(stderr);
}

std::string Quoted(std::string_view value)
{
    constexpr std::size_t shownCharacters = 200;
    const auto isContinuation = [](char c) { return (static_cast<unsigned char>(c) & 0xC0) == 0x80; };
    std::size_t characters = 0;
    std::size_t shownBytes = value.size();
    for (std::size_t at = 0; at < value.size(); ++at) {
        if (isContinuation(value[at]))
            continue;
        if (characters == shownCharacters)
            shownBytes = at;
        ++characters;
    }
    return "\"" + std::string(value.substr(0, shownBytes)) + (shownBytes < value.size() ? "...\"" : "\"") + " ("
        + std::to_string(characters) + " characters)";
}

} // namespace os
