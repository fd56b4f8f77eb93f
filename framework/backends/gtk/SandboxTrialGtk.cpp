#include "SandboxTrialGtk.h"

#include "GLibPtrGtk.h"

namespace platform::gtk {

SandboxTrialGtk::SandboxTrialGtk()
{
    GCharPtr bwrap(g_find_program_in_path("bwrap"));
    if (bwrap) {
        const gchar* argv[] = { bwrap.get(), "--ro-bind", "/", "/", "--unshare-all", "true", nullptr };
        trial_ = GObjectHandle<GSubprocess>::adopt(g_subprocess_newv(
            argv, static_cast<GSubprocessFlags>(G_SUBPROCESS_FLAGS_STDOUT_SILENCE | G_SUBPROCESS_FLAGS_STDERR_SILENCE),
            nullptr));
    }
    if (!trial_)
        works_ = false;
}

bool SandboxTrialGtk::sandboxWorks()
{
    if (!works_) {
        works_ = g_subprocess_wait_check(trial_.get(), nullptr, nullptr);
        trial_.reset();
    }
    return *works_;
}

} // namespace platform::gtk
