#include "TellUser.h"

#include <errno.h>

#include <cstdio>
#include <string>

namespace platform {

void TellUser(std::string_view message)
{
    const std::string line = std::string(program_invocation_short_name) + ": " + std::string(message) + "\n";
    std::fwrite(line.data(), 1, line.size(), stderr);
    std::fflush(stderr);
}

} // namespace platform
