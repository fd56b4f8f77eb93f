#pragma once

#include "NativeControlHeadless.h"

#include "platform/EventLoop.h"
#include "platform/NativeWebView.h"

#include <memory>
#include <string>
#include <vector>

namespace platform::headless {

// An engine that records every call made to it and loads "pages" that are
// just addresses. A load asks the client whether to cancel it and, when not,
// completes on the event loop, as a real engine finishes later.
class NativeWebViewHeadless final : public NativeControlHeadless<platform::NativeWebView> {
public:
    NativeWebViewHeadless(platform::NativeWebViewClient& client, platform::EventLoop& loop)
        : m_client(client)
        , m_loop(loop)
    {
    }

    void loadURL(std::string_view url) override;
    void loadHTML(std::string_view source, std::string_view baseURL) override;
    void stopLoading() override { calls.push_back("stopLoading"); }
    bool canGoBack() const override { return m_current > 0; }
    bool canGoForward() const override { return m_current + 1 < static_cast<long>(m_history.size()); }
    void goBack() override;
    void goForward() override;
    void print(bool showDialog) override { calls.push_back(showDialog ? "print dialog" : "print"); }

    // The user clicks in this view's page, or a page in it asks for a new
    // window, starts a download (which the engine has stopped) or asks to be
    // printed; the last answers whether the print dialog would show.
    void userClicks() { m_client.nativeWebViewUserActed(); }
    void requestNewWindow(std::string_view url) { m_client.nativeWebViewNewWindowRequested(url); }
    void startDownload(std::string_view url) { m_client.nativeWebViewDownloadRequested(url); }
    bool requestPrint() { return m_client.nativeWebViewShouldPrint(); }

    // The page shown, or empty before the first load completed.
    std::string currentURL() const;
    const std::vector<std::string>& history() const { return m_history; }

    std::vector<std::string> calls; // every call, e.g. "loadURL http://a"
    std::vector<std::string> cancelled; // loads the client refused

private:
    void navigate(std::string url, bool fromHistory, long historyIndex);

    platform::NativeWebViewClient& m_client;
    platform::EventLoop& m_loop;
    std::vector<std::string> m_history;
    long m_current = -1;
    // Completions still queued on the loop must not reach a destroyed view.
    std::shared_ptr<NativeWebViewHeadless*> m_self = std::make_shared<NativeWebViewHeadless*>(this);
};

} // namespace platform::headless
