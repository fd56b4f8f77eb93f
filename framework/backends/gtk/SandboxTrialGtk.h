#pragma once

#include <glib.h>

#include <optional>

namespace platform::gtk {

// The engine runs its web processes under bubblewrap when asked to, and a web
// process that cannot start shows no page at all. Where bubblewrap is missing
// or the kernel refuses it namespaces (some containers, locked-down user
// namespaces), the views go unsandboxed rather than blank. The trial run of
// bubblewrap starts when this is made and goes on in the background, so made
// early it keeps off the path to the first page.
class SandboxTrialGtk {
public:
    SandboxTrialGtk();
    ~SandboxTrialGtk();
    SandboxTrialGtk(const SandboxTrialGtk&) = delete;
    SandboxTrialGtk& operator=(const SandboxTrialGtk&) = delete;

    // Whether bubblewrap ran; waits for the trial the first time.
    bool sandboxWorks();

private:
    GPid m_trial = 0;
    std::optional<bool> m_works;
};

} // namespace platform::gtk
