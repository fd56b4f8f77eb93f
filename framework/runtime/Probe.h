#pragma once

#include <functional>
#include <string_view>

namespace rt {

// An optional observer of the runtime's milestones (start-up steps, windows
// built, events raised), so tests can check the order things happened in.
using Probe = std::function<void(std::string_view)>;

void RuntimeSetProbe(Probe);
void RuntimeProbe(std::string_view milestone);
// A milestone named by `kind` and then `detail` ("event " and "Open"); the
// name is only put together when a probe is set.
void RuntimeProbe(std::string_view kind, std::string_view detail);

} // namespace rt
