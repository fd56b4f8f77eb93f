#include "BackendTestSupport.h"
#include "LoopbackHttpServer.h"
#include "RecordingClients.h"

#include <errno.h>
#include <webkit2/webkit2.h>

#include <gtest/gtest.h>

#include <filesystem>

using namespace backendtest;

namespace {

// A page whose whole area is one thing to click.
HttpPage clickablePage(const std::string& element)
{
    return { "<html><body style='margin:0'>" + element + "</body></html>", "" };
}

const char* const FullArea = "style='position:fixed;left:0;top:0;width:100%;height:100%;display:block'";

class NativeWebViewGtkTest : public ::testing::Test {
protected:
    LoopbackHttpServer server { {
        { "/one", { "<html><body>one</body></html>", "Set-Cookie: visited=yes; Max-Age=3600; Path=/\r\n" } },
        { "/two", { "<html><body>two</body></html>", "" } },
        { "/three", { "<html><body>three</body></html>", "" } },
        { "/opener",
            clickablePage(std::string("<button ") + FullArea + " onclick=\"window.open('/popup')\">open</button>") },
        { "/link", clickablePage(std::string("<a href='/popup' target='_blank' ") + FullArea + ">open</a>") },
        { "/popup", { "<html><body>popup</body></html>", "" } },
        { "/keyed", { "<html><body onkeydown=\"window.open('/popup')\">keys</body></html>", "" } },
        { "/scripted", { "<html><body><script>document.write(\"<img src='/script-ran'>\")</script></body></html>", "" } },
    } };

    RecordingWindowClient windowClient;
    RecordingWebViewClient client;
    std::unique_ptr<platform::NativeWindow> window = sharedPlatform().createWindow(windowClient);

    bool loadAndWait(platform::NativeWebView& view, const std::string& path)
    {
        view.loadURL(server.url(path));
        return runUntil([&] { return client.completedLast(server.url(path)); }, "a load of " + path);
    }
};

} // namespace

TEST_F(NativeWebViewGtkTest, LoadsAPageAsksFirstAndKeepsItsCookiesOnDisk)
{
    auto view = window->createWebView(client);
    view->setGeometry({ 0, 0, 300, 200 });
    window->show();

    ASSERT_TRUE(loadAndWait(*view, "/one"));
    EXPECT_EQ(client.asked, (std::vector { server.url("/one") }));
    EXPECT_EQ(client.completed, (std::vector { server.url("/one") }));

    // The cookie store is a file in the program's own data folder.
    const auto cookies = webDataFolder() / "data" / program_invocation_short_name / "cookies.sqlite";
    EXPECT_TRUE(runUntil([&] { return std::filesystem::exists(cookies); }, "the cookie database"));
}

TEST_F(NativeWebViewGtkTest, CancelledLoadsNeverReachTheServerEvenInAHiddenView)
{
    client.cancel = [](std::string_view url) { return url.ends_with("/two"); };
    // As the framework keeps one: never shown, tiny, and hidden.
    auto view = window->createWebView(client);
    view->setGeometry({ 0, 0, 36, 19 });
    view->setVisible(false);

    view->loadURL(server.url("/two"));
    ASSERT_TRUE(loadAndWait(*view, "/three"));
    EXPECT_EQ(client.asked, (std::vector { server.url("/two"), server.url("/three") }));
    EXPECT_EQ(client.completed, (std::vector { server.url("/three") }));
    EXPECT_FALSE(server.wasRequested("/two"));
}

TEST_F(NativeWebViewGtkTest, NewWindowRequestsAreReportedOnceAndTheViewKeepsItsPage)
{
    window->setTitle("Opener");
    window->setSize(300, 200);
    auto view = window->createWebView(client);
    view->setGeometry({ 0, 0, 300, 200 });
    window->show();
    GtkWidget* webView = findWidget(GTK_WIDGET(findWindow("Opener")), WEBKIT_TYPE_WEB_VIEW);
    ASSERT_NE(webView, nullptr);

    for (const std::string page : { "/opener", "/link" }) {
        SCOPED_TRACE(page);
        client = {};
        ASSERT_TRUE(loadAndWait(*view, page));
        ASSERT_TRUE(runUntil([&] { return gtk_widget_get_mapped(webView); }, "the view to be mapped"));

        clickWidget(webView, 150, 100);
        ASSERT_TRUE(runUntil([&] { return !client.newWindows.empty(); }, "a new window request"));
        // The engine handles the click before a load asked for after it, so
        // once that load is done any second report would have come.
        ASSERT_TRUE(loadAndWait(*view, "/two"));

        EXPECT_EQ(client.userActions, 1);
        EXPECT_EQ(client.newWindows, (std::vector { server.url("/popup") }));
        EXPECT_EQ(client.asked, (std::vector { server.url(page), server.url("/two") }));
        EXPECT_EQ(client.completed, (std::vector { server.url(page), server.url("/two") }));
    }
    EXPECT_FALSE(server.wasRequested("/popup"));
}


TEST_F(NativeWebViewGtkTest, AKeyPressInAPageIsAUserActionLikeAClick)
{
    window->setTitle("Keys");
    window->setSize(300, 200);
    auto view = window->createWebView(client);
    view->setGeometry({ 0, 0, 300, 200 });
    window->show();
    GtkWidget* webView = findWidget(GTK_WIDGET(findWindow("Keys")), WEBKIT_TYPE_WEB_VIEW);
    ASSERT_TRUE(loadAndWait(*view, "/keyed"));
    ASSERT_TRUE(runUntil([&] { return gtk_widget_get_mapped(webView); }, "the view to be mapped"));

    pressKey(webView, GDK_KEY_Return);
    ASSERT_TRUE(runUntil([&] { return !client.newWindows.empty(); }, "the window asked for from the keyboard"));
    // The page left the key unhandled, so the engine gave it back to GTK.
    ASSERT_TRUE(loadAndWait(*view, "/two"));
    EXPECT_EQ(client.userActions, 1);
    EXPECT_EQ(client.newWindows, (std::vector { server.url("/popup") }));
}

// The engine takes a script address or an empty one without a word to the
// navigation policy, so the view itself must ask.
TEST_F(NativeWebViewGtkTest, AddressesTheEngineTakesUnaskedArePutToTheClientFirst)
{
    auto view = window->createWebView(client);
    view->setGeometry({ 0, 0, 300, 200 });
    window->show();
    ASSERT_TRUE(loadAndWait(*view, "/one"));

    client.cancel = [](std::string_view url) { return !url.starts_with("http:"); };
    view->loadURL("");
    view->loadURL(" \tJavaScript:fetch('/refused')");
    ASSERT_TRUE(loadAndWait(*view, "/two"));
    EXPECT_TRUE(client.wasAsked(""));
    EXPECT_TRUE(client.wasAsked(" \tJavaScript:fetch('/refused')"));
    EXPECT_EQ(client.completed, (std::vector { server.url("/one"), server.url("/two") }));

    client.cancel = {};
    view->loadURL("javascript:fetch('/script-ran')");
    ASSERT_TRUE(runUntil([&] { return server.wasRequested("/script-ran"); }, "the script the client let run"));
    EXPECT_FALSE(server.wasRequested("/refused"));
}

TEST_F(NativeWebViewGtkTest, AViewThatIsNotVisibleRunsNoPageScript)
{
    auto view = window->createWebView(client);
    view->setGeometry({ 0, 0, 36, 19 });
    view->setVisible(false);
    window->show();

    // The page's script asks for an image, which its load waits for.
    ASSERT_TRUE(loadAndWait(*view, "/scripted"));
    EXPECT_FALSE(server.wasRequested("/script-ran"));

    view->setVisible(true);
    view->loadURL(server.url("/scripted"));
    EXPECT_TRUE(runUntil([&] { return server.wasRequested("/script-ran"); }, "the script of a shown page"));
}
