#pragma once

#include "NativeControlGtk.h"
#include "PageDialogGtk.h"
#include "platform/NativeWebView.h"

#include <webkit2/webkit2.h>

#include <functional>
#include <memory>
#include <optional>
#include <utility>

namespace platform::gtk {

class NativeWebViewGtk final : public NativeControlGtk<NativeWebView> {
public:
    NativeWebViewGtk(GtkLayout* layout, WebKitWebContext* context, NativeWebViewClient& client);
    ~NativeWebViewGtk() override;

    void setVisible(bool visible) override;
    void loadURL(std::string_view url) override;
    void loadHTML(std::string_view source, std::string_view baseURL) override;
    void stopLoading() override;
    bool canGoBack() const override;
    bool canGoForward() const override;
    void goBack() override;
    void goForward() override;
    void print(bool showDialog) override;

private:
    WebKitWebView* view() const { return WEBKIT_WEB_VIEW(widget()); }

    static gboolean onButtonPress(GtkWidget*, GdkEventButton*, gpointer self);
    static gboolean onKeyPress(GtkWidget*, GdkEventKey*, gpointer self);
    static gboolean onDecidePolicy(WebKitWebView*, WebKitPolicyDecision*, WebKitPolicyDecisionType, gpointer self);
    static GtkWidget* onCreate(WebKitWebView*, WebKitNavigationAction*, gpointer self);
    static void onLoadChanged(WebKitWebView*, WebKitLoadEvent, gpointer self);
    static void onDownloadStarted(WebKitWebContext*, WebKitDownload*, gpointer self);
    static gboolean onPrint(WebKitWebView*, WebKitPrintOperation*, gpointer self);
    static gboolean onScriptDialog(WebKitWebView*, WebKitScriptDialog*, gpointer self);
    static void onResponsiveChanged(WebKitWebView*, GParamSpec*, gpointer self);
    static void onProcessEnded(WebKitWebView*, WebKitWebProcessTerminationReason, gpointer self);

    bool decideNavigation(WebKitNavigationPolicyDecision* decision);
    bool decideNewWindow(WebKitNavigationPolicyDecision* decision);
    void showPrintDialog(GObjectHandle<WebKitPrintOperation> operation);
    void goToHistoryItem(WebKitBackForwardListItem* item);
    void navigateForUser(std::function<void()> navigate);
    void runUserNavigation();

    NativeWebViewClient& m_client;
    guint m_printDialogSource = 0;
    std::optional<std::pair<guint32, guint16>> m_lastKeyPress; // its time and key
    PageDialogGtk m_pageDialog;
    std::function<void()> m_userNavigation; // asked for and not yet under way
};

} // namespace platform::gtk
