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

    // The user clicks in the page, and the page asks for a new window at each address.
    void clickAndRequestNewWindows(std::initializer_list<std::string> addresses)
    {
        webView("HTMLViewer1").userClicks();
        for (const auto& address : addresses)
            webView("HTMLViewer1").requestNewWindow(address);
    }
};

TEST_F(NavigationTest, EachSiteButtonLoadsItsStartAddressOnEveryClickEvenWhileItsPageIsShown)
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
        settle();
        click(buttonName);
        const std::string load = std::string("loadURL ") + address;
        EXPECT_EQ(engineCalls(), (std::vector { load, load })) << buttonName;
    }
    EXPECT_TRUE(webView("HTMLViewer2").calls.empty());
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

// The hidden viewer is asked to load every address but a script address,
// which the engine would run there unasked; it refuses each, and hands the
// web ones to the default browser.
TEST_F(NavigationTest, NewWindowsGoToTheBrowserOnlyForWebAddressesAndNeverLoadInTheHiddenViewer)
{
    const std::vector<std::string> loads { "HTTP://Example.test/", "file:///etc/passwd", "http://host:8080/x", "",
        "mailto:someone@example.test", "https://host/a:b", "https:" };
    for (std::size_t at = 0; at < loads.size(); ++at)
        clickAndRequestNewWindows({ at == 2 ? " \t\x01java\nscript:x" : "JavaScript:x", loads[at] });

    EXPECT_EQ(platform().browserRequests,
        (std::vector<std::string> { "HTTP://Example.test/", "http://host:8080/x", "https://host/a:b" }));
    auto& hidden = webView("HTMLViewer2");
    EXPECT_EQ(hidden.cancelled, loads);
    EXPECT_EQ(hidden.calls.size(), loads.size());
    EXPECT_TRUE(hidden.currentURL().empty());
    EXPECT_EQ(webView("HTMLViewer1").currentURL(), "http://www.facebook.com");
    EXPECT_EQ(platform().windows().size(), 1u);
}

TEST_F(NavigationTest, OneUserActionInAPageHandsOutOneAddressAndABurstBeyondItIsReportedOnce)
{
    testing::internal::CaptureStderr();
    clickAndRequestNewWindows({ "http://example.test/1", "http://example.test/2", "http://example.test/3" });
    const std::string firstBurst = testing::internal::GetCapturedStderr();
    testing::internal::CaptureStderr();
    clickAndRequestNewWindows({ "http://example.test/4", "http://example.test/5" });
    const std::string secondBurst = testing::internal::GetCapturedStderr();

    EXPECT_EQ(platform().browserRequests,
        (std::vector<std::string> { "http://example.test/1", "http://example.test/4" }));
    EXPECT_EQ(std::count(firstBurst.begin(), firstBurst.end(), '\n'), 1) << firstBurst;
    EXPECT_NE(firstBurst.find("new windows"), std::string::npos) << firstBurst;
    EXPECT_EQ(secondBurst, firstBurst);
}

TEST_F(NavigationTest, AnAddressTheBrowserRefusesIsReportedLaterWithItsLengthAndAtMost200OfItsCharacters)
{
    platform().failBrowser = true;
    const std::string address = "http://example.test/?" + std::string(1 << 20, 'a'); // 1048597 characters
    testing::internal::CaptureStderr();
    clickAndRequestNewWindows({ address });
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

TEST_F(NavigationTest, AnExceptionLeavingAHandlerIsReportedAndTheProgramGoesOn)
{
    // A button whose handler finds no page view: the window loses its viewer.
    cl::Window::RemoveControl(*mainWindow(), *mainWindow()->controlNamed("HTMLViewer1"));
    testing::internal::CaptureStderr();
    click("BevelButton2");
    const std::string report = testing::internal::GetCapturedStderr();
    EXPECT_NE(report.find("NilObjectException"), std::string::npos) << report;
    EXPECT_NE(report.find("HTMLViewer1"), std::string::npos) << report;
    EXPECT_FALSE(rt::RuntimeQuitRequested());
}

} // namespace
