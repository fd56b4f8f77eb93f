#include "DefaultBrowserGtk.h"

#include "CallbackGuardGtk.h"
#include "GLibPtrGtk.h"
#include "GObjectHandleGtk.h"

#include <gio/gio.h>

#include <memory>
#include <string>

namespace platform::gtk {

namespace {

struct Launch {
    GObjectHandle<GAppLaunchContext> context;
    std::function<void(std::string_view)> failed;
};

void launchFinished(GObject*, GAsyncResult* result, gpointer data)
{
    const std::unique_ptr<Launch> launch(static_cast<Launch*>(data));
    GError* rawError = nullptr;
    if (g_app_info_launch_default_for_uri_finish(result, &rawError))
        return;
    const GErrorPtr error(rawError);
    guardCallback("default browser", [&] { launch->failed(error ? error->message : "no application opens it"); });
}

// Start-up notification is the toolkit's to hand each launch afresh.
bool IsStartupNotification(std::string_view name)
{
    return name == "DESKTOP_STARTUP_ID" || name == "XDG_ACTIVATION_TOKEN";
}

// A launch context that gives the launched program `environment`: each of its
// variables set, and each of this process's that it lacks unset.
GObjectHandle<GAppLaunchContext> ContextGiving(const char* const* environment)
{
    auto context = GObjectHandle<GAppLaunchContext>::adopt(g_app_launch_context_new());
    if (!environment)
        return context;
    const auto given = const_cast<gchar**>(environment);
    for (const char* const* entry = environment; *entry; ++entry) {
        const std::string_view variable(*entry);
        const std::string name(variable.substr(0, variable.find('=')));
        const char* value = g_environ_getenv(given, name.c_str());
        if (value && !IsStartupNotification(name))
            g_app_launch_context_setenv(context.get(), name.c_str(), value);
    }
    const GStrvPtr current(g_get_environ());
    for (gchar** entry = current.get(); *entry; ++entry) {
        const std::string_view variable(*entry);
        const std::string name(variable.substr(0, variable.find('=')));
        if (!IsStartupNotification(name) && !g_environ_getenv(given, name.c_str()))
            g_app_launch_context_unsetenv(context.get(), name.c_str());
    }
    return context;
}

} // namespace

void LaunchDefaultBrowser(
    std::string_view url, const char* const* environment, std::function<void(std::string_view reason)> failed)
{
    auto launch = std::make_unique<Launch>(Launch { ContextGiving(environment), std::move(failed) });
    GAppLaunchContext* context = launch->context.get();
    g_app_info_launch_default_for_uri_async(
        std::string(url).c_str(), context, nullptr, &launchFinished, launch.release());
}

} // namespace platform::gtk
