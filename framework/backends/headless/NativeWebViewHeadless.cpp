#include "NativeWebViewHeadless.h"

namespace platform::headless {

void NativeWebViewHeadless::loadURL(std::string_view url)
{
    calls.push_back("loadURL " + std::string(url));
    navigate(std::string(url), false, 0);
}

void NativeWebViewHeadless::loadHTML(std::string_view source, std::string_view baseURL)
{
    calls.push_back("loadHTML " + std::string(baseURL) + " " + std::string(source));
    navigate(baseURL.empty() ? std::string("about:blank") : std::string(baseURL), false, 0);
}

void NativeWebViewHeadless::goBack()
{
    calls.push_back("goBack");
    if (canGoBack())
        navigate(m_history[static_cast<std::size_t>(m_current - 1)], true, m_current - 1);
}

void NativeWebViewHeadless::goForward()
{
    calls.push_back("goForward");
    if (canGoForward())
        navigate(m_history[static_cast<std::size_t>(m_current + 1)], true, m_current + 1);
}

std::string NativeWebViewHeadless::currentURL() const
{
    return m_current < 0 ? std::string() : m_history[static_cast<std::size_t>(m_current)];
}

void NativeWebViewHeadless::navigate(std::string url, bool fromHistory, long historyIndex)
{
    if (m_client.nativeWebViewShouldCancelLoad(url)) {
        cancelled.push_back(url);
        return;
    }
    m_client.nativeWebViewPageLeft();
    if (fromHistory) {
        m_current = historyIndex;
    } else {
        m_history.resize(static_cast<std::size_t>(m_current + 1));
        m_history.push_back(url);
        m_current = static_cast<long>(m_history.size()) - 1;
    }
    m_loop.post([self = std::weak_ptr<NativeWebViewHeadless*>(m_self), url] {
        if (auto view = self.lock())
            (*view)->m_client.nativeWebViewDocumentComplete(url);
    });
}

} // namespace platform::headless
