#include "Probe.h"

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

} // namespace rt
