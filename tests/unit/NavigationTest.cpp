#include "ProgramFixture.h"

#include "support/CapturedStderr.h"

#include <algorithm>

namespace {

class NavigationTest : public testing_support::StartedProgramTest {
protected:
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
    for (auto [buttonName, address] : { std::pair { "BevelButton2", "http://www.facebook.com" },
             { "BevelButton6", "http://twitter.com" }, { "BevelButton7", "http://www.youtube.com" },
             { "BevelButton3", "http://www.tidewell.com" }, { "BevelButton5", "http://www.quillmere.com" } }) {
        auto& calls = webView("HTMLViewer1").calls;
        calls.clear();
        click(buttonName);
        settle();
        click(buttonName);
        const std::string load = std::string("loadURL ") + address;
        EXPECT_EQ(calls, (std::vector { load, load })) << buttonName;
    }
}

TEST_F(NavigationTest, BackAndForwardStepThroughTheHistoryAndDoNothingAtItsEnds)
{
    click("BevelButton6");
    click("BevelButton7");
    settle();
    std::vector<std::string> shown;
    for (const char* button :
        { "BevelButton1", "BevelButton1", "BevelButton1", "BevelButton4", "BevelButton4", "BevelButton4" }) {
        click(button);
        shown.push_back(webView("HTMLViewer1").currentURL());
    }
    EXPECT_EQ(shown,
        (std::vector<std::string> { "http://twitter.com", "http://www.facebook.com", "http://www.facebook.com",
            "http://twitter.com", "http://www.youtube.com", "http://www.youtube.com" }));
}

// The engine would run a script address in the hidden viewer unasked, so it is never put to it.
TEST_F(NavigationTest, NewWindowsGoToTheBrowserOnlyForWebAddressesNeverToTheHiddenViewer)
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
    std::vector<std::string> reports;
    for (const auto& burst :
        { std::initializer_list<std::string> { "http://x.test/1", "http://x.test/2", "http://x.test/3" },
            { "http://x.test/4", "http://x.test/5" } })
        reports.push_back(testing_support::StderrOf([&] { clickAndRequestNewWindows(burst); }));
    EXPECT_EQ(platform().browserRequests, (std::vector<std::string> { "http://x.test/1", "http://x.test/4" }));
    EXPECT_EQ(std::ranges::count(reports[0], '\n'), 1) << reports[0];
    EXPECT_NE(reports[0].find("new windows"), std::string::npos) << reports[0];
    EXPECT_EQ(reports[1], reports[0]);
}

// Downloads, new windows and print dialogs all draw on the one allowance a click gives.
TEST_F(NavigationTest, OneClickGivesOneOfDownloadNewWindowOrPrintAndRefusalsAreReported)
{
    auto& page = webView("HTMLViewer1");
    testing_support::CapturedStderr captured;
    page.startDownload("http://x.test/drive-by.pdf");
    page.userClicks();
    page.startDownload("blob:http://x.test/1234");
    page.startDownload("data:text/plain,x");
    page.startDownload("http://x.test/clicked.pdf");
    page.requestNewWindow("http://x.test/after-download");
    page.startDownload("http://x.test/second.pdf");
    const bool printAfterSpentClick = page.requestPrint();
    page.userClicks();
    const bool printAfterClick = page.requestPrint();
    page.requestNewWindow("http://x.test/after-print");
    const std::string report = captured.text();

    EXPECT_EQ(platform().browserRequests, (std::vector<std::string> { "http://x.test/clicked.pdf" }));
    EXPECT_FALSE(printAfterSpentClick);
    EXPECT_TRUE(printAfterClick);
    EXPECT_EQ(std::ranges::count(report, '\n'), 6) << report; // four downloads, two bursts of new windows
    for (const char* refused : { "\"http://x.test/drive-by.pdf\" (26 characters)", "\"blob:http://x.test/1234\"",
             "\"data:text/plain,x\"", "\"http://x.test/second.pdf\"" })
        EXPECT_NE(report.find(std::string("download of ") + refused), std::string::npos) << refused << "\n" << report;
    EXPECT_EQ(report.find("clicked.pdf"), std::string::npos) << report;
    EXPECT_EQ(webView("HTMLViewer2").cancelled, (std::vector<std::string> { "http://x.test/clicked.pdf" }));
}

// A click belongs to the page it was made in.
TEST_F(NavigationTest, AClickInAPageGrantsNothingOnceThePageIsLeft)
{
    auto& page = webView("HTMLViewer1");
    testing_support::CapturedStderr captured;
    page.userClicks();
    page.loadURL("http://x.test/followed-link");
    page.startDownload("http://x.test/on-the-next-page.pdf");
    page.userClicks();
    click("BevelButton6");
    page.startDownload("http://twitter.com/answered-as-a-download");
    page.requestNewWindow("http://x.test/after-the-button");
    const bool printAfterButton = page.requestPrint();

    EXPECT_EQ(platform().browserRequests, std::vector<std::string> {});
    EXPECT_FALSE(printAfterButton);
    const std::string report = captured.text();
    for (const char* refused : { "\"http://x.test/on-the-next-page.pdf\" (34 characters) was refused: the user did",
             "\"http://twitter.com/answered-as-a-download\" (41 characters) was refused: the user did" })
        EXPECT_NE(report.find(refused), std::string::npos) << refused << "\n" << report;
}

TEST_F(NavigationTest, ARefusedAddressIsReportedLaterWithItsLengthAndAtMost200Characters)
{
    platform().failBrowser = true;
    const std::string address = "http://example.test/?" + std::string(1 << 20, 'a'); // 1048597 characters
    // The launch fails later, on the loop.
    EXPECT_EQ(testing_support::StderrOf([&] { clickAndRequestNewWindows({ address }); }), "");
    const std::string report = testing_support::StderrOf([&] { settle(); });
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
    const std::string report = testing_support::StderrOf([&] { click("BevelButton2"); });
    EXPECT_NE(report.find("NilObjectException"), std::string::npos) << report;
    EXPECT_NE(report.find("HTMLViewer1"), std::string::npos) << report;
    EXPECT_FALSE(rt::RuntimeQuitRequested());
}

} // namespace
