#include "ProgramFixture.h"

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
    for (const char* address : { "HTTP://Example.test/", "file:///etc/passwd", "javascript:alert(1)", "",
             "mailto:someone@example.test", "https:" })
        webView("HTMLViewer1").requestNewWindow(address);

    EXPECT_EQ(platform().browserRequests, std::vector<std::string> { "HTTP://Example.test/" });
    EXPECT_EQ(hidden.cancelled.size(), 6u);
    EXPECT_TRUE(hidden.currentURL().empty());
}

TEST_F(NavigationTest, ABrowserThatCannotBeStartedIsReportedAndTheLoadStillCancelled)
{
    platform().failBrowser = true;
    testing::internal::CaptureStderr();
    webView("HTMLViewer1").requestNewWindow("http://example.test/");
    const std::string report = testing::internal::GetCapturedStderr();
    EXPECT_NE(report.find("http://example.test/"), std::string::npos) << report;
    EXPECT_EQ(webView("HTMLViewer2").cancelled.size(), 1u);
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
