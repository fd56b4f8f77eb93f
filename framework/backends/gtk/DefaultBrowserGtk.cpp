#include "DefaultBrowserGtk.h"

#include "CallbackGuardGtk.h"
#include "GLibPtrGtk.h"

#include <gio/gio.h>

#include <memory>
#include <string>

namespace platform::gtk {

namespace {

using FailureReport = std::function<void(std::string_view)>;

void launchFinished(GObject*, GAsyncResult* result, gpointer data)
{
    const std::unique_ptr<FailureReport> failed(static_cast<FailureReport*>(data));
    GError* rawError = nullptr;
    if (g_app_info_launch_default_for_uri_finish(result, &rawError))
        return;
    const GErrorPtr error(rawError);
    guardCallback("default browser", [&] { (*failed)(error ? error->message : "no application opens it"); });
}

} // namespace

void LaunchDefaultBrowser(std::string_view url, std::function<void(std::string_view reason)> failed)
{
    auto report = std::make_unique<FailureReport>(std::move(failed));
    g_app_info_launch_default_for_uri_async(
        std::string(url).c_str(), nullptr, nullptr, &launchFinished, report.release());
}

} // namespace platform::gtk
