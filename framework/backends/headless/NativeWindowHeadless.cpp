#include "NativeWindowHeadless.h"

#include <algorithm>

namespace platform::headless {

NativeWindowHeadless::~NativeWindowHeadless()
{
    if (m_onDestroy)
        m_onDestroy(this);
}

void NativeWindowHeadless::setSizeLimits(std::int32_t minW, std::int32_t minH, std::int32_t maxW, std::int32_t maxH)
{
    minWidth = minW;
    minHeight = minH;
    maxWidth = maxW;
    maxHeight = maxH;
}

std::unique_ptr<platform::NativeButton> NativeWindowHeadless::createButton(platform::NativeButtonClient& client)
{
    return std::make_unique<NativeButtonHeadless>(client);
}

std::unique_ptr<platform::NativeSeparator> NativeWindowHeadless::createSeparator()
{
    return std::make_unique<NativeSeparatorHeadless>();
}

std::unique_ptr<platform::NativeTextField> NativeWindowHeadless::createTextField(
    platform::NativeTextFieldClient& client)
{
    return std::make_unique<NativeTextFieldHeadless>(client);
}

std::unique_ptr<platform::NativeWebView> NativeWindowHeadless::createWebView(platform::NativeWebViewClient& client)
{
    return std::make_unique<NativeWebViewHeadless>(client, m_loop);
}

void NativeWindowHeadless::userResize(std::int32_t w, std::int32_t h)
{
    width = std::clamp(w, minWidth, std::max(minWidth, maxWidth));
    height = std::clamp(h, minHeight, std::max(minHeight, maxHeight));
    m_client.nativeWindowResized(width, height);
}

void NativeWindowHeadless::userMove(std::int32_t l, std::int32_t t)
{
    left = l;
    top = t;
    m_client.nativeWindowMoved(l, t);
}

} // namespace platform::headless
