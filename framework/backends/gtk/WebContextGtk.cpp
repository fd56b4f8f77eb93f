#include "WebContextGtk.h"

#include "GLibPtrGtk.h"

#include "os/TellUser.h"

#include <errno.h>
#include <unistd.h>

#include <algorithm>
#include <memory>

namespace platform::gtk {

std::uint32_t WebProcessMemoryLimitMiB(std::uint64_t physicalMiB)
{
    constexpr std::uint64_t ceilingMiB = 3 * 1024;
    return static_cast<std::uint32_t>(std::min(ceilingMiB, physicalMiB / 4));
}

namespace {

struct MemoryPressureSettingsFree {
    void operator()(WebKitMemoryPressureSettings* settings) const { webkit_memory_pressure_settings_free(settings); }
};

std::unique_ptr<WebKitMemoryPressureSettings, MemoryPressureSettingsFree> MemoryPressureSettings()
{
    const auto pageSize = static_cast<std::uint64_t>(sysconf(_SC_PAGESIZE));
    const auto pages = static_cast<std::uint64_t>(sysconf(_SC_PHYS_PAGES));
    std::unique_ptr<WebKitMemoryPressureSettings, MemoryPressureSettingsFree> settings(
        webkit_memory_pressure_settings_new());
    webkit_memory_pressure_settings_set_memory_limit(settings.get(), WebProcessMemoryLimitMiB(pages * pageSize >> 20));
    // Ended at the limit itself, and looked at every second: a page can
    // allocate gigabytes between the engine's default half-minute checks.
    webkit_memory_pressure_settings_set_kill_threshold(settings.get(), 1.0);
    webkit_memory_pressure_settings_set_poll_interval(settings.get(), 1.0);
    return settings;
}

void CancelDownload(WebKitWebContext*, WebKitDownload* download, gpointer)
{
    webkit_download_cancel(download);
}

} // namespace

WebKitWebContext* WebContextGtk::context()
{
    if (m_context)
        return m_context.get();

    const char* program = program_invocation_short_name;
    GCharPtr dataDirectory(g_build_filename(g_get_user_data_dir(), program, nullptr));
    GCharPtr cacheDirectory(g_build_filename(g_get_user_cache_dir(), program, nullptr));
    GCharPtr cookieFile(g_build_filename(dataDirectory.get(), "cookies.sqlite", nullptr));

    auto manager = GObjectHandle<WebKitWebsiteDataManager>::adopt(webkit_website_data_manager_new(
        "base-data-directory", dataDirectory.get(), "base-cache-directory", cacheDirectory.get(), nullptr));
    webkit_website_data_manager_set_persistent_credential_storage_enabled(manager.get(), TRUE);
    // Cookies live only in memory unless given a file of their own.
    webkit_cookie_manager_set_persistent_storage(webkit_website_data_manager_get_cookie_manager(manager.get()),
        cookieFile.get(), WEBKIT_COOKIE_PERSISTENT_STORAGE_SQLITE);

    auto context = GObjectHandle<WebKitWebContext>::adopt(WEBKIT_WEB_CONTEXT(g_object_new(WEBKIT_TYPE_WEB_CONTEXT,
        "website-data-manager", manager.get(), "memory-pressure-settings", MemoryPressureSettings().get(), nullptr)));
    // Connected first, so the download is stopped before any view hears of it.
    g_signal_connect(context.get(), "download-started", G_CALLBACK(&CancelDownload), nullptr);
    // Has to be settled before the first web process starts.
    if (m_sandboxTrial.sandboxWorks())
        webkit_web_context_set_sandbox_enabled(context.get(), TRUE);
    else
        os::TellUser("bubblewrap is unavailable here; web pages run without a sandbox");

    m_context = std::move(context);
    return m_context.get();
}

} // namespace platform::gtk
