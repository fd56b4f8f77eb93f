// The program's main window on the real GTK backend: the widgets where the framework says they are.

#include "app/ProgramMain.h"
#include "app/Startup.h"
#include "mainwindow/Window1.h"

#include "backends/gtk/NativeControlGtk.h"
#include "classlib/BevelButton.h"
#include "classlib/WindowSupport.h"
#include "platform/Platform.h"
#include "runtime/Probe.h"
#include "runtime/Runtime.h"

#include "integration/backend/BackendTestSupport.h"
#include "support/TemporaryConfigHome.h"

#include <gtk/gtk.h>

namespace {

using backendtest::runUntil;

template <class Kind>
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

// WebKit's processes outlive a test and keep the data folder they were given,
// so that folder is the whole program's, not one test's.
const bool kTestEnvironment = (backendtest::useTestEnvironment(), true);

class MainWindowGtkTest : public ::testing::Test {
protected:
    // Starts the program and waits until its window shows, laid out.
    void open()
    {
        rt::RuntimeSetProbe([this](std::string_view milestone) {
            auto opening = cl::FindImplicitWindow(mainwindow::kWindow1ClassName);
            if (milestone == "event Resized" && opening)
                shownAtRuns.push_back(
                    gtk_widget_get_visible(gtk_widget_get_toplevel(WidgetOf(*opening, "HTMLViewer1"))));
        });
        rt::RuntimeInit();
        program::initialize();
        rt::RunFrameworkInitialization(&program::Startup);
        window = cl::FindImplicitWindow(mainwindow::kWindow1ClassName);
        ASSERT_TRUE(window);
        toplevel = gtk_widget_get_toplevel(WidgetOf(*window, "HTMLViewer1"));
        ASSERT_TRUE(runUntil(
            [&] { return gtk_widget_get_mapped(toplevel) && allocationOf("HTMLViewer1").width == window->Width(); },
            "the main window to show laid out"));
    }

    void TearDown() override
    {
        window = nullptr;
        program::finalize();
        rt::RuntimeExit();
        rt::RuntimeSetProbe({});
    }

    platform::Rect allocationOf(const char* name)
    {
        GtkAllocation allocation;
        gtk_widget_get_allocation(WidgetOf(*window, name), &allocation);
        return { allocation.x, allocation.y, allocation.width, allocation.height };
    }

    // The window as a user sees it: the view, the "?" button and the separator.
    void expectLaidOutAt(std::int32_t width, std::int32_t height)
    {
        EXPECT_EQ(allocationOf("HTMLViewer1"), (platform::Rect { 0, 35, width, height - 50 }));
        EXPECT_EQ(allocationOf("BevelButton5"), (platform::Rect { width - 46, 7, 38, 23 }));
        EXPECT_EQ(allocationOf("Separator1"), (platform::Rect { 0, 33, width, 3 }));
    }

    testing_support::TemporaryConfigHome config;
    rt::RefPtr<cl::Window> window;
    GtkWidget* toplevel = nullptr;
    // Whether the toplevel was shown yet, at each "Resized" run in turn.
    std::vector<bool> shownAtRuns;
};

TEST_F(MainWindowGtkTest, ShowsTheButtonRowSeparatorAndViewWhereTheyWereDesigned)
{
    ASSERT_NO_FATAL_FAILURE(open());
    // One run laid the window out before it was shown.
    EXPECT_EQ(shownAtRuns, std::vector { false });
    expectLaidOutAt(1020, 700);

    for (auto [name, rect, label, tooltip] :
        { std::tuple { "BevelButton1", platform::Rect { 7, 6, 38, 23 }, "<", "Back" },
            { "BevelButton3", { 330, 6, 137, 23 }, "Tidewell", "Tidewell Feed" },
            { "BevelButton5", { 974, 7, 38, 23 }, "?", "About Marrowind" } }) {
        SCOPED_TRACE(name);
        GtkWidget* button = WidgetOf(*window, name);
        EXPECT_EQ(allocationOf(name), rect);
        EXPECT_STREQ(gtk_button_get_label(GTK_BUTTON(button)), label);
        g_autofree char* shownTooltip = gtk_widget_get_tooltip_text(button);
        EXPECT_STREQ(shownTooltip, tooltip);
    }
    for (const char* name : { "TextField1", "HTMLViewer2" })
        EXPECT_FALSE(gtk_widget_get_visible(WidgetOf(*window, name))) << name;
}

// The floor must reach the real toplevel, not only the framework's record of it.
TEST_F(MainWindowGtkTest, AUserResizeBelowTheFloorIsLaidOutAtTheFloor)
{
    ASSERT_NO_FATAL_FAILURE(open());
    const auto runs = shownAtRuns.size();
    gtk_window_resize(GTK_WINDOW(toplevel), 300, 600);
    ASSERT_TRUE(runUntil(
        [&] {
            int width = 0;
            gtk_window_get_size(GTK_WINDOW(toplevel), &width, nullptr);
            return width == 500 && window->Width() == 500 && allocationOf("HTMLViewer1").width == 500;
        },
        "the floor"));
    EXPECT_EQ(shownAtRuns.size(), runs + 2);
    expectLaidOutAt(500, 600);
}

} // namespace
