#include "PlatformGtk.h"

#include "DefaultBrowserGtk.h"
#include "GLibPtrGtk.h"
#include "NativeWindowGtk.h"

#include "os/PreferencesFolder.h"
#include "os/SandboxPaths.h"
#include "os/XdgFolders.h"
#include "platform/CloseEveryWindow.h"

#include <algorithm>
#include <string>

namespace platform {

std::unique_ptr<Platform> CreatePlatform()
{
    return std::make_unique<gtk::PlatformGtk>();
}

} // namespace platform

namespace platform::gtk {

namespace {

// The framework lays controls out to the pixel, often smaller than the theme
// would draw them (a 23-pixel button). Taking away the theme's padding and
// minimum sizes lets a control be exactly as large as it is placed, as long
// as that leaves room for its content.
constexpr const char* ControlStyle = R"css(
button {
    padding: 0;
    min-height: 0;
    min-width: 0;
}
entry {
    padding-top: 0;
    padding-bottom: 0;
    padding-left: 3px;
    padding-right: 3px;
    min-height: 0;
    min-width: 0;
}
separator {
    margin: 0;
    min-width: 1px;
    min-height: 1px;
}
)css";

} // namespace

PlatformGtk::~PlatformGtk()
{
    if (m_controlStyle)
        gtk_style_context_remove_provider_for_screen(
            gdk_screen_get_default(), GTK_STYLE_PROVIDER(m_controlStyle.get()));
}

void PlatformGtk::initialize()
{
    if (m_initialized)
        return;
    // Programs this one starts get the environment it was given, before the
    // fixes below, which serve this process alone (a run folder goes with it).
    m_startingEnvironment.reset(g_get_environ());
    // GTK and the engine read these once, at their first use, from here on.
    os::KeepOnlyUsableXdgFolders();
    os::KeepOnlyPathsTheSandboxCanMount();
    try {
        m_runFolder = os::ProvideFoldersTheEngineNeeds();
    } catch (const os::NoRunFolder& error) {
        // Without it the engine's sandbox would stop every page, and the engine the program.
        throw PlatformError(error.what());
    }
    os::TellUserWhenSettingsCantBeKept();
    // Windows are placed by position, which only X11 allows a client to do.
    gdk_set_allowed_backends("x11,*");
    // The program takes no command-line arguments, and so no GTK ones either.
    if (!gtk_init_check(nullptr, nullptr)) {
        const char* display = g_getenv("DISPLAY");
        throw PlatformError(display && *display ? "cannot open the display \"" + std::string(display) + "\""
                                                : std::string("cannot open the display: DISPLAY is not set"));
    }

    m_controlStyle = GObjectHandle<GtkCssProvider>::adopt(gtk_css_provider_new());
    GError* rawError = nullptr;
    gtk_css_provider_load_from_data(m_controlStyle.get(), ControlStyle, -1, &rawError);
    if (GErrorPtr error { rawError })
        throw PlatformError(std::string("cannot load the control style: ") + error->message);
    gtk_style_context_add_provider_for_screen(
        gdk_screen_get_default(), GTK_STYLE_PROVIDER(m_controlStyle.get()), GTK_STYLE_PROVIDER_PRIORITY_APPLICATION);
    m_userInputUnderDialogs.emplace([this](GtkWidget* toplevel) { return windowShownAs(toplevel); });
    m_endSignals.emplace([this] { closeEveryWindow(); });
    m_initialized = true;
}

void PlatformGtk::requireInitialized() const
{
    if (!m_initialized)
        throw PlatformError("the GTK platform is used before initialize()");
}

EventLoop& PlatformGtk::eventLoop()
{
    return m_eventLoop;
}

std::unique_ptr<NativeWindow> PlatformGtk::createWindow(NativeWindowClient& client)
{
    requireInitialized();
    auto window = std::make_unique<NativeWindowGtk>(
        client, m_webContext, [this](NativeWindowGtk* gone) { std::erase(m_openWindows, gone); });
    m_openWindows.push_back(window.get());
    return window;
}

NativeWindowGtk* PlatformGtk::windowShownAs(GtkWidget* toplevel) const
{
    const auto found
        = std::ranges::find_if(m_openWindows, [&](NativeWindowGtk* window) { return window->isShownAs(toplevel); });
    return found == m_openWindows.end() ? nullptr : *found;
}

void PlatformGtk::closeEveryWindow()
{
    CloseEveryWindow(m_openWindows, m_eventLoop, [](NativeWindowGtk& window) { window.requestClose(); });
}

std::vector<Rect> PlatformGtk::screens()
{
    requireInitialized();
    GdkDisplay* display = gdk_display_get_default();
    std::vector<Rect> result;
    const int count = gdk_display_get_n_monitors(display);
    for (int index = 0; index < count; ++index) {
        GdkRectangle area;
        gdk_monitor_get_geometry(gdk_display_get_monitor(display, index), &area);
        result.push_back(Rect { area.x, area.y, area.width, area.height });
    }
    return result;
}

void PlatformGtk::openInDefaultBrowser(std::string_view url, std::function<void(std::string_view)> failed)
{
    LaunchDefaultBrowser(url, m_startingEnvironment.get(), std::move(failed));
}

} // namespace platform::gtk
