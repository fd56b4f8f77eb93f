#include "Probe.h"

#include <string>

namespace rt {

namespace {

Probe& CurrentProbe()
{
    static Probe probe;
    return probe;
}

} // namespace

void RuntimeSetProbe(Probe probe)
{
    CurrentProbe() = std::move(probe);
}

void RuntimeProbe(std::string_view milestone)
{
    if (auto& probe = CurrentProbe())
        probe(milestone);
}

void RuntimeProbe(std::string_view kind, std::string_view detail)
{
    if (auto& probe = CurrentProbe())
        probe(std::string(kind) + std::string(detail));
}

} // namespace rt
