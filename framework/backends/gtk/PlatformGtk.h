#pragma once

#include "EndSignalsGtk.h"
#include "EventLoopGtk.h"
#include "GLibPtrGtk.h"
#include "GObjectHandleGtk.h"
#include "WebContextGtk.h"
#include "platform/Platform.h"
#include "platform/XdgFolders.h"

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

    bool initialized_ = false;
    GStrvPtr startingEnvironment_;
    std::optional<RunFolder> runFolder_;
    EventLoopGtk eventLoop_;
    GObjectHandle<GtkCssProvider> controlStyle_;
    WebContextGtk webContext_;
    std::vector<NativeWindowGtk*> openWindows_; // oldest first, not owned
    std::optional<EndSignalsGtk> endSignals_;
};

} // namespace platform::gtk
