#include "ProgramFixture.h"

#include <algorithm>

using testing_support::ProgramTest;

namespace {

class NavigationTest : public ProgramTest {
protected:
    void SetUp() override
    {
        ProgramTest::SetUp();
        startProgram();
        settle();
        // What Open asked of the engine is not what these tests are about.
        webView("HTMLViewer1").calls.clear();
    }
    std::vector<std::string>& engineCalls() { return webView("HTMLViewer1").calls; }
};

TEST_F(NavigationTest, EachSiteButtonMakesOneLoadOfItsStartAddress)
{
    const std::pair<const char*, const char*> buttons[] = {
        { "BevelButton2", "http://www.facebook.com" },
        { "BevelButton6", "http://twitter.com" },
        { "BevelButton7", "http://www.youtube.com" },
        { "BevelButton3", "http://www.tidewell.com" },
        { "BevelButton5", "http://www.quillmere.com" },
    };
    for (auto [buttonName, address] : buttons) {
        engineCalls().clear();
        click(buttonName);
        EXPECT_EQ(engineCalls(), std::vector<std::string> { std::string("loadURL ") + address }) << buttonName;
    }
    EXPECT_TRUE(webView("HTMLViewer2").calls.empty());
}

TEST_F(NavigationTest, ClickingASiteButtonTwiceLoadsTwiceEvenWhileItsPageIsShown)
{
    click("BevelButton2");
    click("BevelButton2");
    settle();
    click("BevelButton2");
    EXPECT_EQ(engineCalls().size(), 3u);
    EXPECT_EQ(webView("HTMLViewer1").currentURL(), "http://www.facebook.com");
}

TEST_F(NavigationTest, BackAndForwardStepThroughTheHistoryAndDoNothingAtItsEnds)
{
    click("BevelButton6");
    click("BevelButton7");
    settle();
    auto& view = webView("HTMLViewer1");
    ASSERT_EQ(view.currentURL(), "http://www.youtube.com");

    click("BevelButton1");
    EXPECT_EQ(view.currentURL(), "http://twitter.com");
    click("BevelButton1");
    EXPECT_EQ(view.currentURL(), "http://www.facebook.com");
    click("BevelButton1"); // no page before the first: nothing happens
    EXPECT_EQ(view.currentURL(), "http://www.facebook.com");
    click("BevelButton4");
    click("BevelButton4");
    click("BevelButton4"); // past the end: nothing happens
    EXPECT_EQ(view.currentURL(), "http://www.youtube.com");
}

TEST_F(NavigationTest, APageAskingForANewWindowIsHandedToTheDefaultBrowser)
{
    settle();
    auto& mainView = webView("HTMLViewer1");
    const std::string shown = mainView.currentURL();

    mainView.userClicks();
    mainView.requestNewWindow("https://example.test/popup?x=1");

    EXPECT_EQ(platform().browserRequests, std::vector<std::string> { "https://example.test/popup?x=1" });
    EXPECT_EQ(webView("HTMLViewer2").cancelled, std::vector<std::string> { "https://example.test/popup?x=1" });
    EXPECT_TRUE(webView("HTMLViewer2").currentURL().empty());
    EXPECT_EQ(mainView.currentURL(), shown);
    EXPECT_EQ(platform().windows().size(), 1u);
}

TEST_F(NavigationTest, OnlyWebAddressesReachTheBrowserButEveryLoadInTheHiddenViewerIsCancelled)
{
    auto& hidden = webView("HTMLViewer2");
    const std::vector<std::string> addresses { "HTTP://Example.test/", "file:///etc/passwd", "http://host:8080/x", "",
        "mailto:someone@example.test", "https://host/a:b", "https:" };
    for (const auto& address : addresses) {
        webView("HTMLViewer1").userClicks();
        webView("HTMLViewer1").requestNewWindow(address);
    }

    EXPECT_EQ(platform().browserRequests,
        (std::vector<std::string> { "HTTP://Example.test/", "http://host:8080/x", "https://host/a:b" }));
    EXPECT_EQ(hidden.cancelled, addresses);
    EXPECT_TRUE(hidden.currentURL().empty());
}

// The engine would run such an address in the hidden viewer, unasked.
TEST_F(NavigationTest, AScriptAddressAskedForAsANewWindowNeverReachesALoad)
{
    for (const char* address : { "javascript:open('http://example.test/')", "JavaScript:x", " \t\x01java\nscript:x" }) {
        webView("HTMLViewer1").userClicks();
        webView("HTMLViewer1").requestNewWindow(address);
    }
    webView("HTMLViewer1").userClicks();
    webView("HTMLViewer1").requestNewWindow("http://example.test/after");

    EXPECT_EQ(webView("HTMLViewer2").calls, std::vector<std::string> { "loadURL http://example.test/after" });
    EXPECT_EQ(platform().browserRequests, std::vector<std::string> { "http://example.test/after" });
}

TEST_F(NavigationTest, OneUserActionInAPageHandsOutOneAddressAndABurstBeyondItIsReportedOnce)
{
    auto& mainView = webView("HTMLViewer1");
    testing::internal::CaptureStderr();
    mainView.userClicks();
    for (const char* address : { "http://example.test/1", "http://example.test/2", "http://example.test/3" })
        mainView.requestNewWindow(address);
    mainView.requestNewWindow("http://example.test/4"); // still before the next click
    const std::string firstBurst = testing::internal::GetCapturedStderr();

    testing::internal::CaptureStderr();
    mainView.userClicks();
    mainView.requestNewWindow("http://example.test/5");
    mainView.requestNewWindow("http://example.test/6");
    const std::string secondBurst = testing::internal::GetCapturedStderr();

    EXPECT_EQ(platform().browserRequests,
        (std::vector<std::string> { "http://example.test/1", "http://example.test/5" }));
    EXPECT_EQ(std::count(firstBurst.begin(), firstBurst.end(), '\n'), 1) << firstBurst;
    EXPECT_NE(firstBurst.find("new windows"), std::string::npos) << firstBurst;
    EXPECT_EQ(secondBurst, firstBurst);
}

TEST_F(NavigationTest, AnAddressTheBrowserRefusesIsReportedLaterWithItsLengthAndAtMost200OfItsCharacters)
{
    platform().failBrowser = true;
    const std::string address = "http://example.test/?" + std::string(1 << 20, 'a'); // 1048597 characters
    testing::internal::CaptureStderr();
    webView("HTMLViewer1").userClicks();
    webView("HTMLViewer1").requestNewWindow(address);
    EXPECT_EQ(webView("HTMLViewer2").cancelled.size(), 1u);
    EXPECT_EQ(platform().browserRequests.size(), 1u);
    const std::string beforeTheLoop = testing::internal::GetCapturedStderr();

    testing::internal::CaptureStderr();
    settle();
    const std::string report = testing::internal::GetCapturedStderr();

    EXPECT_EQ(beforeTheLoop, "");
    EXPECT_NE(report.find(address.substr(0, 200)), std::string::npos) << report.substr(0, 400);
    EXPECT_EQ(report.find(address.substr(0, 201)), std::string::npos) << report.substr(0, 400);
    EXPECT_NE(report.find("1048597 characters"), std::string::npos) << report.substr(0, 400);
    EXPECT_NE(report.find("no default browser"), std::string::npos) << report.substr(0, 400);
    EXPECT_LT(report.size(), 400u);
}

TEST_F(NavigationTest, AButtonActsTheSameAfterTheResizeLayoutMovedIt)
{
    nativeWindow().userResize(900, 600);
    EXPECT_EQ(dynamic_cast<cl::RectControl&>(*mainWindow()->controlNamed("BevelButton5")).Left(), 854);
    click("BevelButton5");
    EXPECT_EQ(engineCalls(), std::vector<std::string> { "loadURL http://www.quillmere.com" });
}

TEST_F(NavigationTest, AnExceptionLeavingAHandlerIsReportedAndTheProgramGoesOn)
{
    // A button whose handler finds no page view: the window loses its viewer.
    auto window = mainWindow();
    auto viewer = window->controlNamed("HTMLViewer1");
    cl::Window::RemoveControl(*window, *viewer);

    testing::internal::CaptureStderr();
    click("BevelButton2");
    const std::string report = testing::internal::GetCapturedStderr();
    EXPECT_NE(report.find("NilObjectException"), std::string::npos) << report;
    EXPECT_NE(report.find("HTMLViewer1"), std::string::npos) << report;
    EXPECT_FALSE(rt::RuntimeQuitRequested());
}

} // namespace
