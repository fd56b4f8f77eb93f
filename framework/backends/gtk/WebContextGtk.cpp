#include "WebContextGtk.h"

#include "GLibPtrGtk.h"

#include "platform/TellUser.h"

#include <errno.h>

namespace platform::gtk {

WebKitWebContext* WebContextGtk::context()
{
    if (context_)
        return context_.get();

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

    auto context
        = GObjectHandle<WebKitWebContext>::adopt(webkit_web_context_new_with_website_data_manager(manager.get()));
    // Has to be settled before the first web process starts.
    if (sandboxTrial_.sandboxWorks())
        webkit_web_context_set_sandbox_enabled(context.get(), TRUE);
    else
        TellUser("bubblewrap is unavailable here; web pages run without a sandbox");

    context_ = std::move(context);
    return context_.get();
}

} // namespace platform::gtk
