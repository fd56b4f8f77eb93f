#pragma once

#include "Geometry.h"
#include "NativeControl.h"
#include "NativeWebView.h"

#include <cstdint>
#include <memory>
#include <optional>
#include <string_view>

namespace platform {

class NativeWindowClient {
public:
    // The window's size or place changed by the user or the window manager.
    // Changes asked for through NativeWindow are not echoed back.
    virtual void nativeWindowResized(std::int32_t width, std::int32_t height) = 0;
    virtual void nativeWindowMoved(std::int32_t left, std::int32_t top) = 0;

    // The user asked to close the window. The window stays until its owner
    // destroys it.
    virtual void nativeWindowCloseRequested() = 0;

protected:
    ~NativeWindowClient() = default;
};

// A top-level window. Position is the outer frame's top-left corner in screen
// pixels, size the content area's; destroying it destroys its controls' widgets.
class NativeWindow {
public:
    virtual ~NativeWindow() = default;

    virtual void setTitle(std::string_view) = 0;
    virtual void setPosition(std::int32_t left, std::int32_t top) = 0;
    virtual void setSize(std::int32_t width, std::int32_t height) = 0;
    virtual void setSizeLimits(
        std::int32_t minWidth, std::int32_t minHeight, std::int32_t maxWidth, std::int32_t maxHeight)
        = 0;
    virtual void setResizable(bool) = 0;
    virtual void setCloseButton(bool) = 0;
    virtual void setBackgroundColor(std::optional<Color>) = 0;
    virtual void setFullScreen(bool) = 0;

    virtual void show() = 0;
    virtual void hide() = 0;
    virtual void focus() = 0;
    virtual void refresh() = 0;
    virtual void maximize() = 0;
    virtual void minimize() = 0;
    virtual void restore() = 0;

    virtual std::unique_ptr<NativeButton> createButton(NativeButtonClient&) = 0;
    virtual std::unique_ptr<NativeSeparator> createSeparator() = 0;
    virtual std::unique_ptr<NativeTextField> createTextField(NativeTextFieldClient&) = 0;
    virtual std::unique_ptr<NativeWebView> createWebView(NativeWebViewClient&) = 0;
};

} // namespace platform
