#include "HeadlessWindow.h"

#include <algorithm>

namespace headless {

HeadlessWindow::~HeadlessWindow()
{
    if (m_onDestroy)
        m_onDestroy(this);
}

void HeadlessWindow::setSizeLimits(std::int32_t minW, std::int32_t minH, std::int32_t maxW, std::int32_t maxH)
{
    minWidth = minW;
    minHeight = minH;
    maxWidth = maxW;
    maxHeight = maxH;
}

std::unique_ptr<platform::NativeButton> HeadlessWindow::createButton(platform::NativeButtonClient& client)
{
    return std::make_unique<HeadlessButton>(client);
}

std::unique_ptr<platform::NativeSeparator> HeadlessWindow::createSeparator()
{
    return std::make_unique<HeadlessSeparator>();
}

std::unique_ptr<platform::NativeTextField> HeadlessWindow::createTextField(platform::NativeTextFieldClient& client)
{
    return std::make_unique<HeadlessTextField>(client);
}

std::unique_ptr<platform::NativeWebView> HeadlessWindow::createWebView(platform::NativeWebViewClient& client)
{
    return std::make_unique<HeadlessWebView>(client, m_loop);
}

void HeadlessWindow::userResize(std::int32_t w, std::int32_t h)
{
    width = std::clamp(w, minWidth, std::max(minWidth, maxWidth));
    height = std::clamp(h, minHeight, std::max(minHeight, maxHeight));
    m_client.nativeWindowResized(width, height);
}

void HeadlessWindow::userMove(std::int32_t l, std::int32_t t)
{
    left = l;
    top = t;
    m_client.nativeWindowMoved(l, t);
}

} // namespace headless
