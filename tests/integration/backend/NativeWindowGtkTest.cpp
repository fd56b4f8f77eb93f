#include "BackendTestSupport.h"
#include "RecordingClients.h"

#include "backends/gtk/NativeWindowGtk.h"

#include <functional>
#include <memory>
#include <optional>
#include <stdexcept>

using namespace backendtest;

TEST(NativeWindowGtk, ShrinksToItsSizeLimitsAndReportsWhatItWasGiven)
{
    RecordingWindowClient client;
    auto window = sharedPlatform().createWindow(client);
    window->setTitle("Limits");
    window->setPosition(10, 10);
    window->setSizeLimits(64, 64, 0, 0);
    window->setSize(300, 200);
    RecordingButtonClient buttonClient;
    auto big = window->createButton(buttonClient);
    big->setCaption("A button much larger than the window may become");
    big->setGeometry({ 0, 0, 600, 400 });
    window->show();
    GtkWindow* gtkWindow = findWindow("Limits");
    ASSERT_NE(gtkWindow, nullptr);

    // What the framework asks for and gets is not echoed back (GDK records a
    // new geometry as it dispatches the event that brings it).
    window->setSize(200, 150);
    window->setPosition(50, 60);
    ASSERT_TRUE(runUntil(
        [&] {
            platform::Rect at;
            gdk_window_get_geometry(
                gtk_widget_get_window(GTK_WIDGET(gtkWindow)), &at.left, &at.top, &at.width, &at.height);
            return at == platform::Rect { 50, 60, 200, 150 };
        },
        "the new geometry"));
    EXPECT_TRUE(client.resized.empty());
    EXPECT_TRUE(client.moved.empty());

    // Asked for less than its limits allow, it is given its minimum and says so.
    window->setSize(10, 10);
    ASSERT_TRUE(runUntil([&] { return !client.resized.empty(); }, "the window to report its size"));
    EXPECT_EQ(client.resized, (std::vector { Size { 64, 64 } }));
    GtkWidget* layout = gtk_bin_get_child(GTK_BIN(gtkWindow));
    EXPECT_TRUE(runUntil(
        [&] { return gtk_widget_get_allocated_width(layout) == 64 && gtk_widget_get_allocated_height(layout) == 64; },
        "the content laid out again at 64 x 64"));

    // Changes from outside the framework are reported.
    gtk_window_resize(gtkWindow, 250, 150);
    gtk_window_move(gtkWindow, 40, 30);
    ASSERT_TRUE(runUntil([&] { return client.resized.size() == 2 && !client.moved.empty(); }, "size and move reports"));
    EXPECT_EQ(client.resized.back(), (Size { 250, 150 }));
    EXPECT_EQ(client.moved.back(), (Size { 40, 30 }));
}

TEST(NativeWindowGtk, PassesInputToItsClientsAndItsControlsOutliveIt)
{
    RecordingWindowClient client;
    auto window = sharedPlatform().createWindow(client);
    window->setTitle("Input");
    RecordingButtonClient buttonClient;
    auto button = window->createButton(buttonClient);
    struct ThrowingClient : platform::NativeButtonClient {
        void nativeButtonClicked() override { throw std::runtime_error("click handler failed on purpose"); }
    } throwingClient;
    auto throwing = window->createButton(throwingClient);
    RecordingTextFieldClient fieldClient;
    auto field = window->createTextField(fieldClient);
    RecordingWebViewClient viewClient;
    auto view = window->createWebView(viewClient);
    window->show();
    GtkWindow* gtkWindow = findWindow("Input");
    ASSERT_NE(gtkWindow, nullptr);
    const auto widget = [widgets = controlWidgets(gtkWindow)](std::size_t n) { return widgets.at(n); };

    gtk_button_clicked(GTK_BUTTON(widget(0)));
    EXPECT_EQ(buttonClient.clicks, 1);
    gtk_button_clicked(GTK_BUTTON(widget(1))); // must not unwind through GTK

    field->setText("abc");
    EXPECT_TRUE(fieldClient.changes.empty());
    gint at = 3;
    gtk_editable_insert_text(GTK_EDITABLE(widget(2)), "d", 1, &at); // as typing does
    EXPECT_EQ(fieldClient.changes, (std::vector<std::string> { "abcd" }));

    view->loadHTML("<p>going</p>", "");
    gtk_window_close(gtkWindow);
    runUntil([&] { return client.closeRequests == 1; }, "the close request");
    EXPECT_TRUE(gtk_widget_get_visible(GTK_WIDGET(gtkWindow))); // the owner decides
    window.reset();
    EXPECT_EQ(findWindow("Input"), nullptr);
    // Controls that outlive their window stay usable, to no effect.
    button->setGeometry({ 1, 2, 3, 4 });
    button->setVisible(false);
    field->setText("gone");
    view->loadURL("about:blank");
    EXPECT_FALSE(view->canGoBack());
}

namespace {

// A modal dialog of `window`, run as the engine runs its print dialog, with
// `userAction` done in its loop: the dialog's response, and what `count` said
// as the loop returned.
struct DialogRun {
    std::optional<int> response;
    int countWhenDialogReturned = -1;
};

void runDialogWith(GtkWindow* window, std::function<void()> userAction, std::function<int()> count, DialogRun& run)
{
    runSoon(
        [=, &run] {
            GtkWidget* dialog = gtk_dialog_new();
            gtk_window_set_transient_for(GTK_WINDOW(dialog), window);
            // The loop runs inside this call; a dialog nobody cancels is
            // closed after a while, so that the test fails instead of hanging.
            const guint watchdog = runSoon(
                [dialog] { gtk_dialog_response(GTK_DIALOG(dialog), GTK_RESPONSE_NONE); }, std::chrono::seconds(10));
            run.response = gtk_dialog_run(GTK_DIALOG(dialog));
            run.countWhenDialogReturned = count();
            g_source_remove(watchdog);
            gtk_widget_destroy(dialog);
        },
        {}, G_PRIORITY_DEFAULT_IDLE);
    runSoon(std::move(userAction), std::chrono::milliseconds(200)); // runs in the dialog's loop
}

} // namespace

// GTK drops the window manager's close under the dialog's grab.
TEST(NativeWindowGtk, ACloseCancelsAModalDialogAndGoesOnOnceItHasReturned)
{
    for (bool fromWindowManager : { true, false }) {
        SCOPED_TRACE(fromWindowManager ? "window manager" : "end signal");
        RecordingWindowClient client;
        auto window = sharedPlatform().createWindow(client);
        window->setTitle("Under a dialog");
        window->show();
        GtkWindow* gtkWindow = findWindow("Under a dialog");
        ASSERT_NE(gtkWindow, nullptr);
        ASSERT_TRUE(runUntil([&] { return gtk_widget_get_mapped(GTK_WIDGET(gtkWindow)); }, "the window to show"));

        DialogRun run;
        runDialogWith(
            gtkWindow,
            [&] {
                if (!fromWindowManager) {
                    dynamic_cast<platform::gtk::NativeWindowGtk&>(*window).requestClose();
                    return;
                }
                GdkEvent* event = gdk_event_new(GDK_DELETE);
                event->any.window = GDK_WINDOW(g_object_ref(gtk_widget_get_window(GTK_WIDGET(gtkWindow))));
                gdk_event_put(event);
                gdk_event_free(event);
            },
            [&] { return client.closeRequests; }, run);
        ASSERT_TRUE(runUntil([&] { return client.closeRequests == 1; }, "the close request"));
        EXPECT_EQ(run.response, GTK_RESPONSE_CANCEL);
        EXPECT_EQ(run.countWhenDialogReturned, 0) << "the close went on under the dialog";
    }
}

// GTK drops the click under the dialog's grab too; the toolbar wins over a page's print dialog.
TEST(NativeWindowGtk, AClickOnAButtonCancelsAModalDialogAndIsMadeOnceItHasReturned)
{
    RecordingWindowClient client;
    auto window = sharedPlatform().createWindow(client);
    window->setTitle("Click under a dialog");
    window->setSize(200, 100);
    RecordingButtonClient buttonClient;
    auto button = window->createButton(buttonClient);
    button->setGeometry({ 10, 10, 80, 30 });
    button->setVisible(true);
    window->show();
    GtkWindow* gtkWindow = findWindow("Click under a dialog");
    ASSERT_NE(gtkWindow, nullptr);
    GtkWidget* buttonWidget = controlWidgets(gtkWindow).at(0);
    ASSERT_TRUE(runUntil([&] { return gtk_widget_get_mapped(buttonWidget); }, "the button to show"));

    DialogRun run;
    runDialogWith(
        gtkWindow, [&] { click(buttonWidget, 40, 15); }, [&] { return buttonClient.clicks; }, run);
    ASSERT_TRUE(runUntil([&] { return buttonClient.clicks == 1; }, "the click"));
    EXPECT_EQ(run.response, GTK_RESPONSE_CANCEL);
    EXPECT_EQ(run.countWhenDialogReturned, 0) << "the click went on under the dialog";
    EXPECT_EQ(client.closeRequests, 0);
}
