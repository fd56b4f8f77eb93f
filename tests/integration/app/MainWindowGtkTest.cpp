// The program's main window on the real GTK backend, under Xvfb: the widgets
// a user sees, where the framework says they are.

#include "app/ProgramMain.h"
#include "app/Startup.h"
#include "mainwindow/Window1.h"

#include "backends/gtk/NativeControlGtk.h"
#include "classlib/BevelButton.h"
#include "classlib/WindowSupport.h"
#include "platform/Platform.h"
#include "runtime/Probe.h"
#include "runtime/Runtime.h"

#include "unit/TemporaryConfigHome.h"

#include <gtest/gtest.h>
#include <gtk/gtk.h>

#include <chrono>
#include <filesystem>
#include <functional>

namespace {

// Runs the GTK loop until `done` holds, failing the test after a deadline
// rather than hanging.
bool IterateUntil(const std::function<bool()>& done, std::chrono::seconds deadline = std::chrono::seconds(20))
{
    const auto start = std::chrono::steady_clock::now();
    while (!done()) {
        if (std::chrono::steady_clock::now() - start > deadline)
            return false;
        g_main_context_iteration(nullptr, FALSE);
    }
    return true;
}

template<class Kind>
GtkWidget* WidgetAs(platform::NativeControl* native)
{
    auto* control = dynamic_cast<platform::gtk::NativeControlGtk<Kind>*>(native);
    return control ? control->widget() : nullptr;
}

GtkWidget* WidgetOf(cl::Window& window, const char* name)
{
    auto* native = dynamic_cast<cl::RectControl&>(*window.controlNamed(name)).native();
    for (GtkWidget* widget : { WidgetAs<platform::NativeButton>(native), WidgetAs<platform::NativeSeparator>(native),
             WidgetAs<platform::NativeTextField>(native), WidgetAs<platform::NativeWebView>(native) })
        if (widget)
            return widget;
    return nullptr;
}

platform::Rect AllocationOf(GtkWidget* widget)
{
    GtkAllocation allocation;
    gtk_widget_get_allocation(widget, &allocation);
    return { allocation.x, allocation.y, allocation.width, allocation.height };
}

// WebKit's processes outlive a test and keep using the web-data folder it
// was given, so that folder is the whole program's, not one test's.
class WebDataFolder : public ::testing::Environment {
public:
    void SetUp() override
    {
        g_autofree char* path = g_dir_make_tmp("quillmere-web-XXXXXX", nullptr);
        ASSERT_NE(path, nullptr);
        m_path = path;
        for (const char* variable : { "XDG_DATA_HOME", "XDG_CACHE_HOME" })
            setenv(variable, path, 1);
        setenv("NO_AT_BRIDGE", "1", 1);
    }
    void TearDown() override { std::error_code ignored; std::filesystem::remove_all(m_path, ignored); }

private:
    std::filesystem::path m_path;
};
const auto* const kWebDataFolder = ::testing::AddGlobalTestEnvironment(new WebDataFolder);

// The layout's part of the main window as the framework holds it, and whether
// the toplevel was shown yet.
struct Layout {
    platform::Rect viewer;
    std::int32_t buttonLeft = 0, separatorWidth = 0;
    bool shown = false;
    friend bool operator==(const Layout&, const Layout&) = default;
};

Layout LayoutOf(cl::Window& window, GtkWidget* toplevel)
{
    auto rect = [&](const char* name) -> cl::RectControl& {
        return dynamic_cast<cl::RectControl&>(*window.controlNamed(name));
    };
    auto& viewer = rect("HTMLViewer1");
    return { { viewer.Left(), viewer.Top(), viewer.Width(), viewer.Height() }, rect("BevelButton5").Left(),
        rect("Separator1").Width(), gtk_widget_get_visible(toplevel) != FALSE };
}

class MainWindowGtkTest : public ::testing::Test {
protected:
    // Starts the program and waits until its window shows, laid out.
    void open()
    {
        rt::RuntimeSetProbe([this](std::string_view milestone) {
            auto opening = cl::RuntimeGetImplicitWindow(mainwindow::kWindow1ClassName);
            if (milestone == "event Resized" && opening)
                beforeResizedRuns.push_back(
                    LayoutOf(*opening, gtk_widget_get_toplevel(WidgetOf(*opening, "HTMLViewer1"))));
        });
        rt::RuntimeInit();
        program::initialize();
        rt::RunFrameworkInitialization(&program::Startup);
        window = cl::RuntimeGetImplicitWindow(mainwindow::kWindow1ClassName);
        ASSERT_TRUE(window);
        toplevel = gtk_widget_get_toplevel(WidgetOf(*window, "HTMLViewer1"));
        ASSERT_TRUE(GTK_IS_WINDOW(toplevel));
        ASSERT_TRUE(IterateUntil([&] {
            return gtk_widget_get_mapped(toplevel) && AllocationOf(WidgetOf(*window, "HTMLViewer1")).width == window->Width();
        })) << "the main window never showed laid out";
    }

    void TearDown() override
    {
        window = nullptr;
        program::finalize();
        rt::RuntimeExit();
        rt::RuntimeSetProbe({});
    }

    platform::Rect allocationOf(const char* name) { return AllocationOf(WidgetOf(*window, name)); }

    testing_support::TemporaryConfigHome config;
    rt::RefPtr<cl::Window> window;
    GtkWidget* toplevel = nullptr;
    // What each "Resized" run found, in order: the first is what "Open" left.
    std::vector<Layout> beforeResizedRuns;
};

TEST_F(MainWindowGtkTest, ShowsTheButtonRowSeparatorAndViewWhereTheyWereDesigned)
{
    ASSERT_NO_FATAL_FAILURE(open());
    EXPECT_STREQ(gtk_window_get_title(GTK_WINDOW(toplevel)), "Quillmere");
    int width = 0, height = 0;
    gtk_window_get_size(GTK_WINDOW(toplevel), &width, &height);
    EXPECT_EQ(width, 1020);
    EXPECT_EQ(height, 700);

    struct Expected { const char* name; platform::Rect rect; const char* label; const char* tooltip; };
    const Expected controls[] = {
        { "BevelButton1", { 7, 6, 38, 23 }, "<", "Back" },
        { "BevelButton4", { 46, 6, 38, 23 }, ">", "Forward" },
        { "BevelButton2", { 90, 6, 77, 23 }, "Facebook", "Facebook" },
        { "BevelButton6", { 170, 6, 77, 23 }, "Twitter", "Twitter" },
        { "BevelButton7", { 250, 6, 77, 23 }, "YouTube", "YouTube" },
        { "BevelButton3", { 330, 6, 137, 23 }, "Tidewell", "Tidewell Feed" },
        { "BevelButton5", { 974, 7, 38, 23 }, "?", "About Marrowind" },
        { "Separator1", { 0, 33, 1020, 3 }, nullptr, nullptr },
        { "HTMLViewer1", { 0, 35, 1020, 650 }, nullptr, nullptr },
    };
    for (const auto& expected : controls) {
        SCOPED_TRACE(expected.name);
        GtkWidget* widget = WidgetOf(*window, expected.name);
        EXPECT_TRUE(gtk_widget_get_mapped(widget));
        EXPECT_EQ(gtk_widget_get_toplevel(widget), toplevel);
        EXPECT_EQ(AllocationOf(widget), expected.rect);
        if (expected.label) {
            EXPECT_STREQ(gtk_button_get_label(GTK_BUTTON(widget)), expected.label);
            g_autofree char* tooltip = gtk_widget_get_tooltip_text(widget);
            EXPECT_STREQ(tooltip, expected.tooltip);
        }
    }
    EXPECT_TRUE(GTK_IS_SEPARATOR(WidgetOf(*window, "Separator1")));
    // The hidden controls exist but are not shown.
    for (const char* name : { "TextField1", "HTMLViewer2" })
        EXPECT_FALSE(gtk_widget_get_visible(WidgetOf(*window, name))) << name;
    ASSERT_TRUE(GTK_IS_ENTRY(WidgetOf(*window, "TextField1")));
    EXPECT_STREQ(gtk_entry_get_text(GTK_ENTRY(WidgetOf(*window, "TextField1"))), "quillmere");

    // "Open" sized the view only; one run laid the rest out before the
    // window was shown.
    ASSERT_EQ(beforeResizedRuns.size(), 1u);
    EXPECT_EQ(beforeResizedRuns[0], (Layout { { 0, 35, 1010, 650 }, 595, 221, false }));
}

TEST_F(MainWindowGtkTest, AUserResizeLaysTheWindowOutAgainAndBelowTheFloorOnceMore)
{
    ASSERT_NO_FATAL_FAILURE(open());
    gtk_window_resize(GTK_WINDOW(toplevel), 800, 600);
    ASSERT_TRUE(IterateUntil([&] { return window->Height() == 600 && allocationOf("HTMLViewer1").width == 800; }));
    EXPECT_EQ(allocationOf("HTMLViewer1"), (platform::Rect { 0, 35, 800, 550 }));
    EXPECT_EQ(allocationOf("BevelButton5").left, 754);
    EXPECT_EQ(allocationOf("Separator1").width, 800);

    // Below the floor: the window is brought back to 500 wide, and the run
    // after the floor gives the view the full width again.
    const auto runs = beforeResizedRuns.size();
    gtk_window_resize(GTK_WINDOW(toplevel), 300, 600);
    ASSERT_TRUE(IterateUntil([&] {
        int width = 0;
        gtk_window_get_size(GTK_WINDOW(toplevel), &width, nullptr);
        return width == 500 && window->Width() == 500 && allocationOf("HTMLViewer1").width == 500;
    }));
    ASSERT_EQ(beforeResizedRuns.size(), runs + 2);
    EXPECT_EQ(beforeResizedRuns.back().viewer, (platform::Rect { 0, 35, 490, 550 }));
    EXPECT_EQ(allocationOf("BevelButton5").left, 454);
    EXPECT_EQ(allocationOf("Separator1").width, 500);
}

TEST_F(MainWindowGtkTest, SeveralSizeWritesInOneHandlerGiveOneRun)
{
    ASSERT_NO_FATAL_FAILURE(open());
    const auto runs = beforeResizedRuns.size();
    bool handled = false;
    rt::RuntimePlatform().eventLoop().post([&] {
        window->setWidth(700);
        window->setHeight(650);
        window->setWidth(900);
        handled = true;
    });
    ASSERT_TRUE(IterateUntil([&] { return handled && allocationOf("Separator1").width == 900; }));
    // Once the loop has nothing left to do, no further run has come.
    ASSERT_TRUE(IterateUntil([] { return !g_main_context_pending(nullptr); }));
    EXPECT_EQ(beforeResizedRuns.size(), runs + 1);
    EXPECT_EQ(allocationOf("HTMLViewer1"), (platform::Rect { 0, 35, 900, 600 }));
    EXPECT_EQ(allocationOf("BevelButton5").left, 854);
}

// A window saved narrower than the button row: "Open" leaves the "?" button
// past the right edge, and the run after it brings it into sight.
TEST_F(MainWindowGtkTest, ANarrowRestoredWindowShowsTheHelpButtonAtItsRightEdge)
{
    config.write("quillmere-top.txt", "100");
    config.write("quillmere-left.txt", "100");
    config.write("quillmere-height.txt", "550");
    config.write("quillmere-width.txt", "600");
    ASSERT_NO_FATAL_FAILURE(open());
    EXPECT_EQ(beforeResizedRuns.at(0), (Layout { { 0, 35, 590, 500 }, 595, 221, false }));
    EXPECT_EQ(allocationOf("HTMLViewer1"), (platform::Rect { 0, 35, 600, 500 }));
    EXPECT_EQ(allocationOf("BevelButton5"), (platform::Rect { 554, 7, 38, 23 }));
    EXPECT_EQ(allocationOf("Separator1").width, 600);
}

} // namespace
