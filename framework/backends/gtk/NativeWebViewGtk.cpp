#include "NativeWebViewGtk.h"

#include "CallbackGuardGtk.h"

#include "os/PageAddress.h"

#include <memory>
#include <string>
#include <utility>

namespace platform::gtk {

namespace {

std::string_view requestURI(WebKitNavigationAction* action)
{
    const gchar* uri = webkit_uri_request_get_uri(webkit_navigation_action_get_request(action));
    return uri ? uri : "";
}

// What the print dialog needs once print() has returned. The dialog runs a
// modal loop of its own, during which the view's C++ object may be destroyed,
// so the dialog holds its own references and not the view.
struct PendingPrintDialog {
    guint* source; // the view's record of this idle, cleared as it starts
    GObjectHandle<WebKitPrintOperation> operation;
    GObjectHandle<GtkWidget> toplevel;
};

gboolean runPrintDialog(gpointer data)
{
    auto& pending = *static_cast<PendingPrintDialog*>(data);
    *pending.source = 0;
    GtkWidget* toplevel = pending.toplevel.get();
    GtkWindow* parent = GTK_IS_WINDOW(toplevel) ? GTK_WINDOW(toplevel) : nullptr;
    webkit_print_operation_run_dialog(pending.operation.get(), parent);
    return G_SOURCE_REMOVE;
}

void freePrintDialog(gpointer data)
{
    std::unique_ptr<PendingPrintDialog>(static_cast<PendingPrintDialog*>(data));
}

} // namespace

NativeWebViewGtk::NativeWebViewGtk(GtkLayout* layout, WebKitWebContext* context, NativeWebViewClient& client)
    : NativeControlGtk(layout, GObjectHandle<GtkWidget>::refSink(webkit_web_view_new_with_context(context)))
    , m_client(client)
{
    g_signal_connect(widget(), "button-press-event", G_CALLBACK(&NativeWebViewGtk::onButtonPress), this);
    g_signal_connect(widget(), "key-press-event", G_CALLBACK(&NativeWebViewGtk::onKeyPress), this);
    g_signal_connect(widget(), "decide-policy", G_CALLBACK(&NativeWebViewGtk::onDecidePolicy), this);
    g_signal_connect(widget(), "create", G_CALLBACK(&NativeWebViewGtk::onCreate), this);
    g_signal_connect(widget(), "load-changed", G_CALLBACK(&NativeWebViewGtk::onLoadChanged), this);
    g_signal_connect(widget(), "print", G_CALLBACK(&NativeWebViewGtk::onPrint), this);
    g_signal_connect(widget(), "script-dialog", G_CALLBACK(&NativeWebViewGtk::onScriptDialog), this);
    g_signal_connect(
        widget(), "notify::is-web-process-responsive", G_CALLBACK(&NativeWebViewGtk::onResponsiveChanged), this);
    g_signal_connect(widget(), "web-process-terminated", G_CALLBACK(&NativeWebViewGtk::onProcessEnded), this);
    g_signal_connect(context, "download-started", G_CALLBACK(&NativeWebViewGtk::onDownloadStarted), this);
}

NativeWebViewGtk::~NativeWebViewGtk()
{
    // Tearing the view down can itself raise load signals; none may reach a
    // client that is going away with us.
    g_signal_handlers_disconnect_by_data(widget(), this);
    g_signal_handlers_disconnect_by_data(webkit_web_view_get_context(view()), this);
    if (m_printDialogSource)
        g_source_remove(m_printDialogSource);
}

void NativeWebViewGtk::loadURL(std::string_view url)
{
    if (!inWindow())
        return; // the window has gone, and the engine's page with it
    // The engine asks the navigation policy about every address but two: a
    // script one, which it runs in the page at once, and an empty one, which
    // it takes for a blank page. Those are put to the client here instead.
    if ((url.empty() || os::IsScriptAddress(url)) && m_client.nativeWebViewShouldCancelLoad(url))
        return;
    navigateForUser([this, uri = std::string(url)] { webkit_web_view_load_uri(view(), uri.c_str()); });
}

void NativeWebViewGtk::loadHTML(std::string_view source, std::string_view baseURL)
{
    if (!inWindow())
        return;
    const std::string base(baseURL);
    webkit_web_view_load_html(view(), std::string(source).c_str(), base.empty() ? nullptr : base.c_str());
}

void NativeWebViewGtk::stopLoading()
{
    if (!inWindow())
        return;
    webkit_web_view_stop_loading(view());
}

void NativeWebViewGtk::setVisible(bool visible)
{
    NativeControlGtk::setVisible(visible);
    webkit_settings_set_enable_javascript(webkit_web_view_get_settings(view()), visible);
}

bool NativeWebViewGtk::canGoBack() const
{
    return webkit_web_view_can_go_back(view());
}

bool NativeWebViewGtk::canGoForward() const
{
    return webkit_web_view_can_go_forward(view());
}

void NativeWebViewGtk::goBack()
{
    if (inWindow() && canGoBack())
        goToHistoryItem(webkit_back_forward_list_get_back_item(webkit_web_view_get_back_forward_list(view())));
}

void NativeWebViewGtk::goForward()
{
    if (inWindow() && canGoForward())
        goToHistoryItem(webkit_back_forward_list_get_forward_item(webkit_web_view_get_back_forward_list(view())));
}

void NativeWebViewGtk::goToHistoryItem(WebKitBackForwardListItem* item)
{
    navigateForUser([this, item = GObjectHandle<WebKitBackForwardListItem>::refSink(item)] {
        webkit_web_view_go_to_back_forward_list_item(view(), item.get());
    });
}

// The user's navigation goes ahead of whatever the page is doing. Until it
// is under way, a dialog the page opens is closed at once (a page in a loop
// of alerts would otherwise answer each one with the next), but for the
// question whether to leave it: that one is the user's, as a draft may hang
// on it, and while it is up the user answers it before going anywhere else.
// A page whose process is held in any other dialog or doesn't answer can't
// ask and never starts the load: that process is ended, and the load goes to
// a fresh one, as after a crash. The engine reports a process as not
// answering a few seconds after a load it was sent went unanswered.
void NativeWebViewGtk::navigateForUser(std::function<void()> navigate)
{
    if (m_pageDialog.isLeaveQuestion())
        return;
    m_client.nativeWebViewPageLeft();
    m_userNavigation = std::move(navigate);
    if (m_pageDialog.isUp() || !webkit_web_view_get_is_web_process_responsive(view()))
        webkit_web_view_terminate_web_process(view()); // its dialog goes with it
    runUserNavigation();
}

// Run from a copy: what the engine reports while the load starts may end the
// wait for it, and with it the function being run.
void NativeWebViewGtk::runUserNavigation()
{
    const auto navigate = m_userNavigation;
    navigate();
}

void NativeWebViewGtk::print(bool showDialog)
{
    if (!inWindow())
        return;
    if (showDialog && m_printDialogSource)
        return; // a dialog is already on its way
    auto operation = GObjectHandle<WebKitPrintOperation>::adopt(webkit_print_operation_new(view()));
    if (!showDialog) {
        // The engine keeps the operation alive until the pages are out.
        webkit_print_operation_print(operation.get());
        return;
    }
    showPrintDialog(std::move(operation));
}

void NativeWebViewGtk::showPrintDialog(GObjectHandle<WebKitPrintOperation> operation)
{
    auto pending = std::make_unique<PendingPrintDialog>(PendingPrintDialog { &m_printDialogSource, std::move(operation),
        GObjectHandle<GtkWidget>::refSink(gtk_widget_get_toplevel(widget())) });
    // The dialog is modal; deferring it lets this call return at once. The
    // view removes the idle if it dies first.
    m_printDialogSource
        = g_idle_add_full(G_PRIORITY_DEFAULT_IDLE, &runPrintDialog, pending.release(), &freePrintDialog);
}

// Both run before the engine passes the event on to the page, which still
// gets it.
gboolean NativeWebViewGtk::onButtonPress(GtkWidget*, GdkEventButton*, gpointer self)
{
    guardCallback("user input", [&] { static_cast<NativeWebViewGtk*>(self)->m_client.nativeWebViewUserActed(); });
    return FALSE;
}

// The engine hands a key press that the page left unhandled back to GTK,
// which delivers it here a second time, time and key unchanged; that is
// still the one press.
gboolean NativeWebViewGtk::onKeyPress(GtkWidget*, GdkEventKey* event, gpointer self)
{
    auto& view = *static_cast<NativeWebViewGtk*>(self);
    const std::pair press { event->time, event->hardware_keycode };
    if (press == view.m_lastKeyPress)
        return FALSE;
    view.m_lastKeyPress = press;
    guardCallback("user input", [&] { view.m_client.nativeWebViewUserActed(); });
    return FALSE;
}

gboolean NativeWebViewGtk::onDecidePolicy(
    WebKitWebView*, WebKitPolicyDecision* decision, WebKitPolicyDecisionType type, gpointer self)
{
    auto& view = *static_cast<NativeWebViewGtk*>(self);
    switch (type) {
    case WEBKIT_POLICY_DECISION_TYPE_NAVIGATION_ACTION:
        return guardCallback(
            "navigation policy", [&] { return view.decideNavigation(WEBKIT_NAVIGATION_POLICY_DECISION(decision)); },
            false);
    case WEBKIT_POLICY_DECISION_TYPE_NEW_WINDOW_ACTION:
        return guardCallback(
            "new window policy", [&] { return view.decideNewWindow(WEBKIT_NAVIGATION_POLICY_DECISION(decision)); },
            false);
    default:
        return FALSE; // responses: the engine's own choice (show, or not)
    }
}

// Every navigation comes here, loads this view started itself included, so
// the client can stop any of them before a request leaves. The engine asks
// the same for its subframes' navigations and (as of WebKitGTK 2.50) does not
// say which frame one is for; those are put to the client too, which errs on
// the side of letting it refuse a page.
bool NativeWebViewGtk::decideNavigation(WebKitNavigationPolicyDecision* decision)
{
    WebKitNavigationAction* action = webkit_navigation_policy_decision_get_navigation_action(decision);
    if (m_client.nativeWebViewShouldCancelLoad(requestURI(action)))
        webkit_policy_decision_ignore(WEBKIT_POLICY_DECISION(decision));
    else
        webkit_policy_decision_use(WEBKIT_POLICY_DECISION(decision));
    return true;
}

bool NativeWebViewGtk::decideNewWindow(WebKitNavigationPolicyDecision* decision)
{
    WebKitNavigationAction* action = webkit_navigation_policy_decision_get_navigation_action(decision);
    // Ignoring it also keeps the engine from asking for the window through
    // "create", so the client hears of this request once.
    webkit_policy_decision_ignore(WEBKIT_POLICY_DECISION(decision));
    m_client.nativeWebViewNewWindowRequested(requestURI(action));
    return true;
}

GtkWidget* NativeWebViewGtk::onCreate(WebKitWebView*, WebKitNavigationAction* action, gpointer self)
{
    guardCallback("new window request",
        [&] { static_cast<NativeWebViewGtk*>(self)->m_client.nativeWebViewNewWindowRequested(requestURI(action)); });
    return nullptr; // no window: the client decides where the page goes
}

void NativeWebViewGtk::onLoadChanged(WebKitWebView* webView, WebKitLoadEvent event, gpointer self)
{
    if (event == WEBKIT_LOAD_COMMITTED) {
        auto& view = *static_cast<NativeWebViewGtk*>(self);
        view.m_userNavigation = nullptr;
        view.m_pageDialog.takeOff();
        guardCallback("page left", [&] { view.m_client.nativeWebViewPageLeft(); });
    }
    if (event != WEBKIT_LOAD_FINISHED)
        return;
    guardCallback("document complete", [&] {
        const gchar* uri = webkit_web_view_get_uri(webView);
        static_cast<NativeWebViewGtk*>(self)->m_client.nativeWebViewDocumentComplete(uri ? uri : "");
    });
}

// The web context has already stopped the download, before anything was
// written; this view only says whose it was. A load the user asked for that
// was answered with a download is over too: it shows no page, and must not
// be run again if the page it would have left stops answering later.
void NativeWebViewGtk::onDownloadStarted(WebKitWebContext*, WebKitDownload* download, gpointer self)
{
    auto& view = *static_cast<NativeWebViewGtk*>(self);
    if (webkit_download_get_web_view(download) != view.view())
        return;
    view.m_userNavigation = nullptr;
    const gchar* uri = webkit_uri_request_get_uri(webkit_download_get_request(download));
    guardCallback("download", [&] { view.m_client.nativeWebViewDownloadRequested(uri ? uri : ""); });
}

// A print request the client grants shows the dialog the way print() does,
// after the page's call has returned; the page waits for neither.
gboolean NativeWebViewGtk::onPrint(WebKitWebView*, WebKitPrintOperation* operation, gpointer self)
{
    auto& view = *static_cast<NativeWebViewGtk*>(self);
    guardCallback("print request", [&] {
        if (view.m_client.nativeWebViewShouldPrint() && !view.m_printDialogSource)
            view.showPrintDialog(GObjectHandle<WebKitPrintOperation>::refSink(operation));
    });
    return TRUE;
}

// The engine shows the dialog and waits for the user, unless a navigation
// the user asked for is pending: then the page's alert, confirm or prompt is
// answered at once, as its Close or Cancel would. A question whether to leave
// the page is the user's to answer, and the navigation waits on it: "Stay on
// Page" keeps the page and whatever was typed in it.
gboolean NativeWebViewGtk::onScriptDialog(WebKitWebView* webView, WebKitScriptDialog* dialog, gpointer self)
{
    auto& view = *static_cast<NativeWebViewGtk*>(self);
    const bool leaveQuestion
        = webkit_script_dialog_get_dialog_type(dialog) == WEBKIT_SCRIPT_DIALOG_BEFORE_UNLOAD_CONFIRM;
    if (view.m_userNavigation && !leaveQuestion)
        return TRUE;
    // Whatever the answer, the load is no longer held by the page: on "Leave
    // Page" the engine goes on with it, and on "Stay on Page" it is dropped.
    if (leaveQuestion)
        view.m_userNavigation = nullptr;
    view.m_pageDialog.show(webView, dialog);
    return TRUE;
}

void NativeWebViewGtk::onResponsiveChanged(WebKitWebView* webView, GParamSpec*, gpointer self)
{
    auto& view = *static_cast<NativeWebViewGtk*>(self);
    if (!view.m_userNavigation || webkit_web_view_get_is_web_process_responsive(webView))
        return;
    webkit_web_view_terminate_web_process(webView);
    view.runUserNavigation();
}

// However the process ended (by the user's navigation, the memory limit or a
// crash), no dialog of its page may stay over the next one, where it would
// speak for another site.
void NativeWebViewGtk::onProcessEnded(WebKitWebView*, WebKitWebProcessTerminationReason, gpointer self)
{
    static_cast<NativeWebViewGtk*>(self)->m_pageDialog.takeOff();
}

} // namespace platform::gtk
