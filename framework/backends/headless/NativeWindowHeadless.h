#pragma once

#include "NativeControlHeadless.h"
#include "NativeWebViewHeadless.h"

#include "platform/EventLoop.h"
#include "platform/NativeWindow.h"

#include <functional>
#include <vector>

namespace platform::headless {

// A window that exists only in memory: it remembers what it was told and lets
// a test act as the user (resize, move, close) through the same client calls
// a real window makes.
class NativeWindowHeadless final : public platform::NativeWindow {
public:
    NativeWindowHeadless(platform::NativeWindowClient& client, platform::EventLoop& loop,
        std::function<void(NativeWindowHeadless*)> onDestroy)
        : m_client(client)
        , m_loop(loop)
        , m_onDestroy(std::move(onDestroy))
    {
    }
    ~NativeWindowHeadless() override;

    void setTitle(std::string_view value) override { title = value; }
    void setPosition(std::int32_t l, std::int32_t t) override
    {
        left = l;
        top = t;
    }
    void setSize(std::int32_t w, std::int32_t h) override
    {
        width = w;
        height = h;
    }
    void setSizeLimits(std::int32_t minW, std::int32_t minH, std::int32_t maxW, std::int32_t maxH) override;
    void setResizable(bool value) override { resizable = value; }
    void setCloseButton(bool value) override { closeButton = value; }
    void setBackgroundColor(std::optional<platform::Color> value) override { background = value; }
    void setFullScreen(bool value) override { fullScreen = value; }
    void show() override { shown = true; }
    void hide() override { shown = false; }
    void focus() override { focused = true; }
    void refresh() override { }
    void maximize() override { state = "maximized"; }
    void minimize() override { state = "minimized"; }
    void restore() override { state = "normal"; }

    std::unique_ptr<platform::NativeButton> createButton(platform::NativeButtonClient&) override;
    std::unique_ptr<platform::NativeSeparator> createSeparator() override;
    std::unique_ptr<platform::NativeTextField> createTextField(platform::NativeTextFieldClient&) override;
    std::unique_ptr<platform::NativeWebView> createWebView(platform::NativeWebViewClient&) override;

    // The user resizes, moves or asks to close the window. Resizing keeps to
    // the size limits, as a window manager would.
    void userResize(std::int32_t w, std::int32_t h);
    void userMove(std::int32_t l, std::int32_t t);
    void userClose() { m_client.nativeWindowCloseRequested(); }

    std::string title;
    std::int32_t left = 0, top = 0, width = 0, height = 0;
    std::int32_t minWidth = 0, minHeight = 0, maxWidth = 0, maxHeight = 0;
    bool resizable = true, closeButton = true, fullScreen = false, shown = false, focused = false;
    std::optional<platform::Color> background;
    std::string state = "normal";

private:
    platform::NativeWindowClient& m_client;
    platform::EventLoop& m_loop;
    std::function<void(NativeWindowHeadless*)> m_onDestroy;
};

} // namespace platform::headless
