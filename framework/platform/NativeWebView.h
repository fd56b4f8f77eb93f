#pragma once

#include "NativeControl.h"

#include <string_view>

namespace platform {

class NativeWebViewClient {
public:
    // The engine is about to navigate this view's main frame to `url`; true
    // makes it drop that navigation. Every load is put to the client before
    // anything is fetched or run, the loads the view is asked for included.
    virtual bool nativeWebViewShouldCancelLoad(std::string_view url) = 0;

    // The user clicked or pressed a key in this view's page, before the page
    // hears of it: what the page asks for next may be on the user's behalf.
    virtual void nativeWebViewUserActed() = 0;

    // The page the user acted in is gone: another one was shown in the main
    // frame, or the view was asked to load one. What a page asks for next is
    // not on behalf of what the user did before.
    virtual void nativeWebViewPageLeft() = 0;

    // A page in this view asked for a new window showing `url` (window.open or a
    // link with a target). No window is made; the client decides where it goes.
    virtual void nativeWebViewNewWindowRequested(std::string_view url) = 0;

    // A page in this view started a download of `url`. The engine has already
    // stopped it, before it wrote anything; the client decides where it goes.
    virtual void nativeWebViewDownloadRequested(std::string_view url) = 0;

    // A page in this view asked to be printed; false ignores the request.
    virtual bool nativeWebViewShouldPrint() = 0;

    // The main frame has finished loading `url`.
    virtual void nativeWebViewDocumentComplete(std::string_view url) = 0;

protected:
    ~NativeWebViewClient() = default;
};

// An HTML view. Every call returns at once; the page loads on its own and the
// client hears of it. A view that is not visible runs no page script: nothing
// a user can't see acts in their name. A load, back or forward asked of the
// view wins over its page: the page's script dialogs are closed, and a page
// held in one or whose process no longer answers is ended and the load goes
// to a fresh one. Only the page's question whether to leave it is put to the
// user, and while it is up, what else is asked of the view waits for it.
class NativeWebView : public NativeControl {
public:
    virtual void loadURL(std::string_view url) = 0;
    virtual void loadHTML(std::string_view source, std::string_view baseURL) = 0;
    virtual void stopLoading() = 0;
    virtual bool canGoBack() const = 0;
    virtual bool canGoForward() const = 0;
    virtual void goBack() = 0; // does nothing with no page to go back to
    virtual void goForward() = 0; // does nothing with no page to go forward to
    virtual void print(bool showDialog) = 0;
};

} // namespace platform
