#pragma once

#include "EndSignalsGtk.h"
#include "EventLoopGtk.h"
#include "GLibPtrGtk.h"
#include "GObjectHandleGtk.h"
#include "UserInputUnderDialogsGtk.h"
#include "WebContextGtk.h"
#include "os/XdgFolders.h"
#include "platform/Platform.h"

#include <gtk/gtk.h>

namespace platform::gtk {

class NativeWindowGtk;

class PlatformGtk final : public Platform {
public:
    PlatformGtk() = default;
    ~PlatformGtk() override;

    void initialize() override;
    EventLoop& eventLoop() override;
    std::unique_ptr<NativeWindow> createWindow(NativeWindowClient& client) override;
    std::vector<Rect> screens() override;
    void openInDefaultBrowser(std::string_view url, std::function<void(std::string_view)> failed) override;

private:
    void requireInitialized() const;
    void closeEveryWindow();
    NativeWindowGtk* windowShownAs(GtkWidget* toplevel) const;

    bool m_initialized = false;
    GStrvPtr m_startingEnvironment;
    std::optional<os::RunFolder> m_runFolder;
    EventLoopGtk m_eventLoop;
    GObjectHandle<GtkCssProvider> m_controlStyle;
    WebContextGtk m_webContext;
    std::vector<NativeWindowGtk*> m_openWindows; // oldest first, not owned
    std::optional<EndSignalsGtk> m_endSignals;
    std::optional<UserInputUnderDialogsGtk> m_userInputUnderDialogs;
};

} // namespace platform::gtk
