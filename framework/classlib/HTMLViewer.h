#pragma once

#include "RectControl.h"
#include "UserActionAllowance.h"

namespace cl {

class FolderItem;

// An HTML view. Its page operations go through the HTML engine plug-in; the
// engine's reports come back as the events "CancelLoad" (its handler may
// refuse a load), "NewWindow" (its handler names the viewer that gets the
// page a new window was asked for, or a download the user asked for) and
// "DocumentComplete". A page gets at most one new window, download or print
// dialog for each click or key press the user made in it, asked for within
// five seconds of it; it saves no file.
class HTMLViewer final : public RectControl, private platform::NativeWebViewClient {
public:
    explicit HTMLViewer(rt::ClassRecord& record) : RectControl(record) { }

    static rt::ClassRecord& Lookup();
    static void ctblinit();

    void LoadURL(const rt::String& url);
    void Cancel();
    void LoadPage(FolderItem& file);
    void LoadPage(const rt::String& source, FolderItem* baseFile);
    bool IsAvailable();
    void Print(bool showPrintDialog = true);
    bool CanGoBack();
    bool CanGoForward();
    void GoBack();
    void GoForward();

    // The viewer's own Edit-menu actions: a viewer does nothing with them and
    // leaves the item unhandled.
    static bool EditClear_Action(rt::Object&);
    static bool EditCopy_Action(rt::Object&);
    static bool EditCut_Action(rt::Object&);
    static bool EditPaste_Action(rt::Object&);
    static bool EditSelectAll_Action(rt::Object&);

    platform::NativeWebView* nativeWebView() const { return nativeAs<platform::NativeWebView>(); }

private:
    std::unique_ptr<platform::NativeControl> createNative(platform::NativeWindow&) override;

    bool nativeWebViewShouldCancelLoad(std::string_view url) override;
    void nativeWebViewUserActed() override;
    void nativeWebViewPageLeft() override;
    void nativeWebViewNewWindowRequested(std::string_view url) override;
    void nativeWebViewDownloadRequested(std::string_view url) override;
    bool nativeWebViewShouldPrint() override;
    void nativeWebViewDocumentComplete(std::string_view url) override;

    void loadInNewWindow(std::string_view url);

    UserActionAllowance m_userActionAllowance;
};

// The HTML-viewer extension plug-in's history steps.
void GoBackExt(HTMLViewer&);
void GoForwardExt(HTMLViewer&);

} // namespace cl
