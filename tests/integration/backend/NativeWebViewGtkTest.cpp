#include "BackendTestSupport.h"
#include "LoopbackHttpServer.h"
#include "RecordingClients.h"

#include <webkit2/webkit2.h>

#include <chrono>
#include <filesystem>

using namespace backendtest;

namespace {

// A page whose whole area is one thing to click.
std::string clickablePage(const std::string& tag, const std::string& attributes)
{
    return "<html><body style='margin:0'><" + tag + " " + attributes
        + " style='position:fixed;left:0;top:0;width:100%;height:100%;display:block'>open</" + tag + ">";
}

class NativeWebViewGtkTest : public ::testing::Test {
protected:
    LoopbackHttpServer server { {
        { "/one", "<html><body><script>document.cookie = 'visited=yes; max-age=3600'</script></body></html>" },
        { "/two", "<html><body>two</body></html>" },
        { "/opener", clickablePage("button", "onclick=\"window.open('/popup')\"") },
        { "/link", clickablePage("a", "href='/popup' target='_blank'") },
        { "/keyed", "<html><body onkeydown=\"window.open('/popup')\">keys</body></html>" },
        { "/opens-as-it-loads",
            "<html><body><script>window.open('/popup');"
            "document.write(\"<img src='/script-ran'>\")</script></body></html>" },
        { "/scripted", "<html><body><script>document.write(\"<img src='/script-ran'>\")</script></body></html>" },
        { "/follow", clickablePage("a", "href='/saves-as-it-loads'") },
        { "/alerts-soon",
            "<html><body><script>setTimeout(function () { alert('x'); fetch('/alert-answered') }, 500)</script>"
            "</body></html>" },
        { "/attachments/report", "not a page" },
        { "/alert-loop",
            "<html><body><script>for (;;) { alert('again'); fetch('/alert-answered') }</script></body></html>" },
        { "/busy-on-click", clickablePage("button", "onclick='for (;;) {}'") },
        { "/saves-as-it-loads",
            "<html><body><script>var a = document.createElement('a'); a.download = 'x'; a.href = '/two';"
            "document.body.appendChild(a); a.click()</script></body></html>" },
    } };

    RecordingWindowClient windowClient;
    RecordingWebViewClient client;
    std::unique_ptr<platform::NativeWindow> window = sharedPlatform().createWindow(windowClient);

    // A view that fills a shown window, or, as the framework keeps its hidden one, a tiny view that is not visible.
    std::unique_ptr<platform::NativeWebView> createView(bool visible = true)
    {
        window->setTitle("Views");
        window->setSize(300, 200);
        auto view = window->createWebView(client);
        view->setGeometry(visible ? platform::Rect { 0, 0, 300, 200 } : platform::Rect { 0, 0, 36, 19 });
        view->setVisible(visible);
        window->show();
        return view;
    }

    bool loadAndWait(platform::NativeWebView& view, const std::string& path)
    {
        view.loadURL(server.url(path));
        return runUntil([&] { return !client.completed.empty() && client.completed.back() == server.url(path); },
            "a load of " + path);
    }
};

// The widgets within `widget`, itself included, depth first.
void collect(GtkWidget* widget, std::vector<GtkWidget*>& into)
{
    into.push_back(widget);
    if (GTK_IS_CONTAINER(widget))
        gtk_container_forall(
            GTK_CONTAINER(widget),
            [](GtkWidget* child, gpointer into) { collect(child, *static_cast<std::vector<GtkWidget*>*>(into)); },
            &into);
}

// The labels of the buttons the view shows over its page: those of the engine's dialogs.
std::vector<std::string> dialogButtons(GtkWidget* webView)
{
    std::vector<GtkWidget*> widgets;
    collect(webView, widgets);
    std::vector<std::string> labels;
    for (GtkWidget* widget : widgets)
        if (GTK_IS_BUTTON(widget))
            labels.emplace_back(gtk_button_get_label(GTK_BUTTON(widget)) ?: "");
    return labels;
}

void settle(std::chrono::milliseconds time)
{
    const auto until = std::chrono::steady_clock::now() + time;
    runUntil([&] { return std::chrono::steady_clock::now() >= until; }, "time to pass");
}

} // namespace

// Only the user may open windows: a page that asks as it loads gets nothing.
TEST_F(NativeWebViewGtkTest, ANewWindowIsAskedForOnceOnAClickOrAKeyAndNeverAsAPageLoads)
{
    auto view = createView();
    GtkWidget* webView = controlWidgets(findWindow("Views")).at(0);

    for (const auto& [page, x] : { std::pair { "/opener", 100 }, { "/link", 200 }, { "/keyed", 0 } }) {
        SCOPED_TRACE(page);
        client = {};
        ASSERT_TRUE(loadAndWait(*view, page));
        ASSERT_TRUE(runUntil([&] { return gtk_widget_get_mapped(webView); }, "the view to be mapped"));

        x ? click(webView, x, 100) : pressKey(webView, GDK_KEY_Return);
        ASSERT_TRUE(runUntil([&] { return !client.newWindows.empty(); }, "a new window request"));
        // The engine handles the click or key before a load asked for after
        // it, so once that load is done any second report would have come.
        ASSERT_TRUE(loadAndWait(*view, "/two"));

        EXPECT_EQ(client.userActions, 1);
        EXPECT_EQ(client.newWindows, (std::vector { server.url("/popup") }));
        EXPECT_EQ(client.asked, (std::vector { server.url(page), server.url("/two") }));
        EXPECT_EQ(client.completed, (std::vector { server.url(page), server.url("/two") }));
    }
    client = {};
    ASSERT_TRUE(loadAndWait(*view, "/opens-as-it-loads"));
    ASSERT_TRUE(loadAndWait(*view, "/two"));
    EXPECT_TRUE(server.wasRequested("/script-ran"));
    EXPECT_EQ(client.userActions, 0);
    EXPECT_EQ(client.newWindows, std::vector<std::string> {});
    EXPECT_FALSE(server.wasRequested("/popup"));
}

// The client must hear that a page was left before the next page can spend the click made in it.
TEST_F(NativeWebViewGtkTest, AFollowedLinkOrALoadLeavesThePageBeforeTheNextOneActs)
{
    auto view = createView();
    GtkWidget* webView = controlWidgets(findWindow("Views")).at(0);
    ASSERT_TRUE(loadAndWait(*view, "/follow"));
    ASSERT_TRUE(runUntil([&] { return gtk_widget_get_mapped(webView); }, "the view to be mapped"));
    click(webView, 100, 100);
    ASSERT_TRUE(runUntil([&] { return !client.downloads.empty(); }, "the download"));
    EXPECT_EQ(client.downloads, (std::vector { server.url("/two") }));
    EXPECT_EQ(client.sequence,
        (std::vector<std::string> { "page left", "page left", "user acted", "page left", "download" }));
}

// A download shows no page, so the page it would have left keeps its dialogs.
TEST_F(NativeWebViewGtkTest, ALoadAnsweredWithADownloadLeavesThePageItsDialogs)
{
    auto view = createView();
    ASSERT_TRUE(loadAndWait(*view, "/alerts-soon"));
    view->loadURL(server.url("/attachments/report"));
    ASSERT_TRUE(runUntil([&] { return !client.downloads.empty(); }, "the download"));
    // The page's alert comes half a second after it loaded, and waits.
    const auto settled = std::chrono::steady_clock::now() + std::chrono::seconds(2);
    ASSERT_TRUE(runUntil([&] { return std::chrono::steady_clock::now() >= settled; }, "two seconds"));
    EXPECT_FALSE(server.wasRequested("/alert-answered"));
    EXPECT_EQ(client.downloads, (std::vector { server.url("/attachments/report") }));
}

// The engine takes a script address or an empty one without a word to the
// navigation policy, so the view itself must ask.
TEST_F(NativeWebViewGtkTest, EveryLoadIsPutToTheClientFirstAndCookiesAreKeptOnDisk)
{
    auto view = createView();
    ASSERT_TRUE(loadAndWait(*view, "/one"));
    EXPECT_EQ(client.asked, (std::vector { server.url("/one") }));
    // The cookie store is a file in the program's own data folder, named for
    // the program whatever the executable is called (here a test's).
    const auto cookies = std::filesystem::path(g_get_user_data_dir()) / "quillmere" / "cookies.sqlite";
    EXPECT_TRUE(runUntil([&] { return std::filesystem::exists(cookies); }, "the cookie database"));

    client.cancel = [](std::string_view url) { return !url.starts_with("http:"); };
    view->loadURL("");
    view->loadURL(" \tJavaScript:fetch('/refused')");
    ASSERT_TRUE(loadAndWait(*view, "/two"));
    EXPECT_EQ(client.asked,
        (std::vector<std::string> { server.url("/one"), "", " \tJavaScript:fetch('/refused')", server.url("/two") }));
    EXPECT_EQ(client.completed, (std::vector { server.url("/one"), server.url("/two") }));

    client.cancel = {};
    view->loadURL("javascript:fetch('/script-ran')");
    ASSERT_TRUE(runUntil([&] { return server.wasRequested("/script-ran"); }, "the script the client let run"));
    EXPECT_FALSE(server.wasRequested("/refused"));
}

TEST_F(NativeWebViewGtkTest, AViewThatIsNotVisibleCancelsLoadsWhenAskedAndRunsNoPageScript)
{
    client.cancel = [](std::string_view url) { return url.ends_with("/two"); };
    auto view = createView(false);

    // The page's script asks for an image, which its load waits for.
    view->loadURL(server.url("/two"));
    ASSERT_TRUE(loadAndWait(*view, "/scripted"));
    EXPECT_EQ(client.asked, (std::vector { server.url("/two"), server.url("/scripted") }));
    EXPECT_EQ(client.completed, (std::vector { server.url("/scripted") }));
    EXPECT_FALSE(server.wasRequested("/two"));
    EXPECT_FALSE(server.wasRequested("/script-ran"));

    view->setVisible(true);
    view->loadURL(server.url("/scripted"));
    EXPECT_TRUE(runUntil([&] { return server.wasRequested("/script-ran"); }, "the script of a shown page"));
}

// A page waiting on its alert can't ask anything, nor start the load: its
// process is ended on the spot, and its dialog goes with it.
TEST_F(NativeWebViewGtkTest, APageHeldInADialogIsEndedAtOnceAndItsDialogGoesWithIt)
{
    auto view = createView();
    GtkWidget* webView = controlWidgets(findWindow("Views")).at(0);
    view->loadURL(server.url("/alert-loop"));
    ASSERT_TRUE(runUntil([&] { return !dialogButtons(webView).empty(); }, "the page's alert"));

    ASSERT_TRUE(loadAndWait(*view, "/two"));
    EXPECT_EQ(dialogButtons(webView), std::vector<std::string> {});
    EXPECT_FALSE(server.wasRequested("/alert-answered"));
}

// The engine says so only some seconds after an input event the page didn't take.
TEST_F(NativeWebViewGtkTest, APageThatStopsAnsweringIsLeftAloneUntilTheUserAsksForAnotherOne)
{
    auto view = createView();
    GtkWidget* webView = controlWidgets(findWindow("Views")).at(0);
    int ended = 0;
    g_signal_connect(webView, "web-process-terminated",
        G_CALLBACK(
            +[](WebKitWebView*, WebKitWebProcessTerminationReason, gpointer ended) { ++*static_cast<int*>(ended); }),
        &ended);
    ASSERT_TRUE(loadAndWait(*view, "/busy-on-click"));
    ASSERT_TRUE(runUntil([&] { return gtk_widget_get_mapped(webView); }, "the view to be mapped"));
    click(webView, 100, 100);
    click(webView, 100, 100);
    ASSERT_TRUE(runUntil([&] { return !webkit_web_view_get_is_web_process_responsive(WEBKIT_WEB_VIEW(webView)); },
        "the engine to find the page not answering"));
    settle(std::chrono::milliseconds(500));
    EXPECT_EQ(ended, 0);

    ASSERT_TRUE(loadAndWait(*view, "/two"));
    EXPECT_EQ(ended, 1);
    g_signal_handlers_disconnect_by_data(webView, &ended);
}
