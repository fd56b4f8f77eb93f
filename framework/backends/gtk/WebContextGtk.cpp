#include "WebContextGtk.h"

#include "GLibPtrGtk.h"

#include "os/TellUser.h"

#include <unistd.h>

#include <algorithm>

namespace platform::gtk {

std::uint32_t WebProcessMemoryLimitMiB(std::uint64_t physicalMiB)
{
    constexpr std::uint64_t ceilingMiB = 3 * 1024;
    return static_cast<std::uint32_t>(std::min(ceilingMiB, physicalMiB / 4));
}

std::uint64_t PhysicalMemoryMiB()
{
    const auto pageSize = static_cast<std::uint64_t>(sysconf(_SC_PAGESIZE));
    const auto pages = static_cast<std::uint64_t>(sysconf(_SC_PHYS_PAGES));
    return pages * pageSize >> 20;
}

MemoryPressureSettingsPtr WebProcessMemorySettings()
{
    MemoryPressureSettingsPtr settings(webkit_memory_pressure_settings_new());
    webkit_memory_pressure_settings_set_memory_limit(settings.get(), WebProcessMemoryLimitMiB(PhysicalMemoryMiB()));
    // Ended at the limit itself, and looked at every second: a page can
    // allocate gigabytes between the engine's default half-minute checks.
    webkit_memory_pressure_settings_set_kill_threshold(settings.get(), 1.0);
    webkit_memory_pressure_settings_set_poll_interval(settings.get(), 1.0);
    return settings;
}

namespace {

// The program's own name, not the executable's: a copy or a link named
// otherwise keeps the same site data, as the geometry files keep theirs.
constexpr const char* kSiteDataFolderName = "quillmere";

void CancelDownload(WebKitWebContext*, WebKitDownload* download, gpointer)
{
    webkit_download_cancel(download);
}

} // namespace

WebKitWebContext* WebContextGtk::context()
{
    if (m_context)
        return m_context.get();

    GCharPtr dataDirectory(g_build_filename(g_get_user_data_dir(), kSiteDataFolderName, nullptr));
    GCharPtr cacheDirectory(g_build_filename(g_get_user_cache_dir(), kSiteDataFolderName, nullptr));
    GCharPtr cookieFile(g_build_filename(dataDirectory.get(), "cookies.sqlite", nullptr));

    auto manager = GObjectHandle<WebKitWebsiteDataManager>::adopt(webkit_website_data_manager_new(
        "base-data-directory", dataDirectory.get(), "base-cache-directory", cacheDirectory.get(), nullptr));
    webkit_website_data_manager_set_persistent_credential_storage_enabled(manager.get(), TRUE);
    // Cookies live only in memory unless given a file of their own.
    webkit_cookie_manager_set_persistent_storage(webkit_website_data_manager_get_cookie_manager(manager.get()),
        cookieFile.get(), WEBKIT_COOKIE_PERSISTENT_STORAGE_SQLITE);

    auto context = GObjectHandle<WebKitWebContext>::adopt(WEBKIT_WEB_CONTEXT(g_object_new(WEBKIT_TYPE_WEB_CONTEXT,
        "website-data-manager", manager.get(), "memory-pressure-settings", WebProcessMemorySettings().get(), nullptr)));
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
