#pragma once

#include "platform/NativeWindow.h"

#include <functional>
#include <string>
#include <utility>
#include <vector>

namespace backendtest {

using Size = std::pair<int, int>; // a width and height, or a left and top

struct RecordingWindowClient : platform::NativeWindowClient {
    void nativeWindowResized(std::int32_t width, std::int32_t height) override { resized.push_back({ width, height }); }
    void nativeWindowMoved(std::int32_t left, std::int32_t top) override { moved.push_back({ left, top }); }
    void nativeWindowCloseRequested() override { ++closeRequests; }
    std::vector<Size> resized;
    std::vector<Size> moved;
    int closeRequests = 0;
};

struct RecordingButtonClient : platform::NativeButtonClient {
    void nativeButtonClicked() override { ++clicks; }
    int clicks = 0;
};

struct RecordingTextFieldClient : platform::NativeTextFieldClient {
    void nativeTextChanged(std::string_view text) override { changes.emplace_back(text); }
    std::vector<std::string> changes;
};

struct RecordingWebViewClient : platform::NativeWebViewClient {
    bool nativeWebViewShouldCancelLoad(std::string_view url) override
    {
        asked.emplace_back(url);
        return cancel && cancel(url);
    }
    void nativeWebViewUserActed() override
    {
        ++userActions;
        sequence.emplace_back("user acted");
    }
    void nativeWebViewPageLeft() override { sequence.emplace_back("page left"); }
    void nativeWebViewNewWindowRequested(std::string_view url) override
    {
        newWindows.emplace_back(url);
        sequence.emplace_back("new window");
    }
    void nativeWebViewDownloadRequested(std::string_view url) override
    {
        downloads.emplace_back(url);
        sequence.emplace_back("download");
    }
    bool nativeWebViewShouldPrint() override { return false; }
    void nativeWebViewDocumentComplete(std::string_view url) override { completed.emplace_back(url); }

    std::function<bool(std::string_view)> cancel;
    std::vector<std::string> asked;
    int userActions = 0;
    std::vector<std::string> newWindows;
    std::vector<std::string> downloads;
    std::vector<std::string> completed;
    std::vector<std::string> sequence; // the user's actions, pages left, new windows and downloads
};

} // namespace backendtest
