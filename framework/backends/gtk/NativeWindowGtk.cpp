#include "NativeWindowGtk.h"

#include "CallbackGuardGtk.h"
#include "GLibPtrGtk.h"
#include "NativeButtonGtk.h"
#include "NativeSeparatorGtk.h"
#include "NativeTextFieldGtk.h"
#include "NativeWebViewGtk.h"
#include "WebContextGtk.h"

#include <algorithm>
#include <cstdio>
#include <string>

namespace platform::gtk {

namespace {

// X11 cannot make a window larger than this either way.
constexpr std::int32_t LargestWindowSide = 32767;

} // namespace

NativeWindowGtk::NativeWindowGtk(
    NativeWindowClient& client, WebContextGtk& webContext, std::function<void(NativeWindowGtk*)> onDestroy)
    : m_client(client)
    , m_webContext(webContext)
    , m_window(GObjectHandle<GtkWidget>::refSink(gtk_window_new(GTK_WINDOW_TOPLEVEL)))
    , m_layout(GObjectHandle<GtkWidget>::refSink(gtk_layout_new(nullptr, nullptr)))
    , m_background(GObjectHandle<GtkCssProvider>::adopt(gtk_css_provider_new()))
    , m_onDestroy(std::move(onDestroy))
{
    // Positions name the frame's top-left corner, as gtk_window_move does
    // with this gravity.
    gtk_window_set_gravity(window(), GDK_GRAVITY_NORTH_WEST);
    gtk_style_context_add_provider(gtk_widget_get_style_context(m_window.get()), GTK_STYLE_PROVIDER(m_background.get()),
        GTK_STYLE_PROVIDER_PRIORITY_APPLICATION + 1);
    gtk_container_add(GTK_CONTAINER(m_window.get()), m_layout.get());
    gtk_widget_show(m_layout.get());

    // Not connected after: GtkWindow's own handler ends the emission.
    g_signal_connect(m_window.get(), "configure-event", G_CALLBACK(&NativeWindowGtk::onConfigure), this);
    g_signal_connect(m_window.get(), "delete-event", G_CALLBACK(&NativeWindowGtk::onDelete), this);
}

NativeWindowGtk::~NativeWindowGtk()
{
    if (m_lookAfterDialogs)
        g_source_remove(m_lookAfterDialogs);
    stopWatchingDialogs();
    g_signal_handlers_disconnect_by_data(m_window.get(), this);
    gtk_widget_destroy(m_window.get());
    if (m_onDestroy)
        m_onDestroy(this);
}

void NativeWindowGtk::setTitle(std::string_view title)
{
    gtk_window_set_title(window(), std::string(title).c_str());
}

void NativeWindowGtk::setPosition(std::int32_t left, std::int32_t top)
{
    m_positionReports.requested({ left, top }, shown(gtk_window_get_position));
    gtk_window_move(window(), left, top);
}

void NativeWindowGtk::setSize(std::int32_t width, std::int32_t height)
{
    width = std::clamp(width, 1, LargestWindowSide);
    height = std::clamp(height, 1, LargestWindowSide);
    m_sizeReports.requested({ width, height }, shown(gtk_window_get_size));
    gtk_window_resize(window(), width, height);
}

void NativeWindowGtk::setSizeLimits(
    std::int32_t minWidth, std::int32_t minHeight, std::int32_t maxWidth, std::int32_t maxHeight)
{
    GdkGeometry limits {};
    limits.min_width = std::clamp(minWidth, 0, LargestWindowSide);
    limits.min_height = std::clamp(minHeight, 0, LargestWindowSide);
    // A maximum of zero or less means no maximum.
    limits.max_width = maxWidth > 0 ? std::clamp(maxWidth, limits.min_width, LargestWindowSide) : LargestWindowSide;
    limits.max_height = maxHeight > 0 ? std::clamp(maxHeight, limits.min_height, LargestWindowSide) : LargestWindowSide;
    gtk_window_set_geometry_hints(
        window(), nullptr, &limits, static_cast<GdkWindowHints>(GDK_HINT_MIN_SIZE | GDK_HINT_MAX_SIZE));
}

void NativeWindowGtk::setResizable(bool resizable)
{
    gtk_window_set_resizable(window(), resizable);
}

void NativeWindowGtk::setCloseButton(bool closeButton)
{
    gtk_window_set_deletable(window(), closeButton);
}

void NativeWindowGtk::setBackgroundColor(std::optional<Color> color)
{
    std::string css;
    if (color) {
        char rule[64];
        std::snprintf(rule, sizeof rule, "* { background-color: rgb(%u, %u, %u); }", unsigned(color->red),
            unsigned(color->green), unsigned(color->blue));
        css = rule;
    }
    // The provider is this window's own, so the rule reaches no other widget.
    gtk_css_provider_load_from_data(m_background.get(), css.c_str(), -1, nullptr);
}

void NativeWindowGtk::setFullScreen(bool fullScreen)
{
    if (fullScreen)
        gtk_window_fullscreen(window());
    else
        gtk_window_unfullscreen(window());
}

void NativeWindowGtk::show()
{
    // Not gtk_widget_show_all: controls are shown or hidden by setVisible.
    gtk_widget_show(m_window.get());
}

void NativeWindowGtk::hide()
{
    gtk_widget_hide(m_window.get());
}

void NativeWindowGtk::focus()
{
    gtk_window_present(window());
}

void NativeWindowGtk::refresh()
{
    gtk_widget_queue_draw(m_window.get());
}

void NativeWindowGtk::maximize()
{
    gtk_window_maximize(window());
}

void NativeWindowGtk::minimize()
{
    gtk_window_iconify(window());
}

void NativeWindowGtk::restore()
{
    gtk_window_unmaximize(window());
    gtk_window_deiconify(window());
}

std::unique_ptr<NativeButton> NativeWindowGtk::createButton(NativeButtonClient& client)
{
    return std::make_unique<NativeButtonGtk>(layout(), client);
}

std::unique_ptr<NativeSeparator> NativeWindowGtk::createSeparator()
{
    return std::make_unique<NativeSeparatorGtk>(layout());
}

std::unique_ptr<NativeTextField> NativeWindowGtk::createTextField(NativeTextFieldClient& client)
{
    return std::make_unique<NativeTextFieldGtk>(layout(), client);
}

std::unique_ptr<NativeWebView> NativeWindowGtk::createWebView(NativeWebViewClient& client)
{
    return std::make_unique<NativeWebViewGtk>(layout(), m_webContext.context(), client);
}

gboolean NativeWindowGtk::onConfigure(GtkWidget*, GdkEventConfigure*, gpointer self)
{
    guardCallback("window configure", [&] { static_cast<NativeWindowGtk*>(self)->reportGeometryChange(); });
    return FALSE;
}

// A measure GTK takes of the window (its size or its place), once it shows.
std::optional<WindowPair> NativeWindowGtk::shown(void (*measure)(GtkWindow*, gint*, gint*)) const
{
    if (!gtk_widget_get_mapped(m_window.get()))
        return std::nullopt;
    WindowPair value;
    measure(window(), &value.first, &value.second);
    return value;
}

void NativeWindowGtk::reportGeometryChange()
{
    // GTK's own accounts of size and place, so that what is reported is what
    // setSize and setPosition take.
    const auto size = shown(gtk_window_get_size);
    const auto position = shown(gtk_window_get_position);
    if (!size || !position)
        return;
    // Both filters are brought up to date before the client hears anything,
    // as what it does on hearing may reach back into this window.
    const bool resized = m_sizeReports.observed(*size);
    const bool moved = m_positionReports.observed(*position);
    NativeWindowClient& client = m_client;
    if (resized)
        client.nativeWindowResized(size->first, size->second);
    if (moved)
        client.nativeWindowMoved(position->first, position->second);
}

// A modal dialog runs a loop of its own from inside a callback that still
// uses this window and its view (the engine's print dialog does), so the
// window may not go, nor its view load, while one is up. The user's request
// cancels the dialogs and goes on once they have gone, which is after their
// loops have returned.
void NativeWindowGtk::requestClose()
{
    afterCancellingDialogs([this] { tellClientOfClose(); });
}

bool NativeWindowGtk::isHeldByItsDialog(GtkWidget* grab) const
{
    GtkWidget* holder = gtk_widget_get_toplevel(grab);
    return std::ranges::any_of(modalDialogs(), [&](GtkDialog* dialog) { return GTK_WIDGET(dialog) == holder; });
}

void NativeWindowGtk::clickUnderDialog(GtkButton* button)
{
    // A close asked for first stands; so does a first click.
    if (!m_afterDialogs)
        afterCancellingDialogs(
            [button = GObjectHandle<GtkButton>::refSink(button)] { gtk_button_clicked(button.get()); });
}

void NativeWindowGtk::afterCancellingDialogs(std::function<void()> request)
{
    const bool waiting = bool(m_afterDialogs);
    m_afterDialogs = std::move(request);
    if (waiting)
        return;
    const auto dialogs = modalDialogs();
    watchDialogs(dialogs);
    for (GtkDialog* dialog : dialogs)
        gtk_dialog_response(dialog, GTK_RESPONSE_CANCEL);
    if (dialogs.empty())
        goOnOnceDialogsHaveGone(this);
}

// A dialog hides once its loop has returned; what ran the loop goes on until
// it returns to the main loop, and the idle runs after that.
void NativeWindowGtk::onDialogHidden(GtkWidget*, gpointer self)
{
    auto& window = *static_cast<NativeWindowGtk*>(self);
    if (!window.m_lookAfterDialogs)
        window.m_lookAfterDialogs = g_idle_add(&NativeWindowGtk::goOnOnceDialogsHaveGone, self);
}

gboolean NativeWindowGtk::goOnOnceDialogsHaveGone(gpointer self)
{
    auto& window = *static_cast<NativeWindowGtk*>(self);
    window.m_lookAfterDialogs = 0;
    if (const auto dialogs = window.modalDialogs(); !dialogs.empty()) {
        window.watchDialogs(dialogs); // looked at again as the next one goes
        return G_SOURCE_REMOVE;
    }
    window.stopWatchingDialogs();
    // The request may end the window, so nothing of it is used after.
    std::exchange(window.m_afterDialogs, nullptr)();
    return G_SOURCE_REMOVE;
}

void NativeWindowGtk::watchDialogs(const std::vector<GtkDialog*>& dialogs)
{
    for (GtkDialog* dialog : dialogs) {
        if (std::ranges::any_of(
                m_cancelledDialogs, [&](const auto& watched) { return watched.get() == GTK_WIDGET(dialog); }))
            continue;
        m_cancelledDialogs.push_back(GObjectHandle<GtkWidget>::refSink(GTK_WIDGET(dialog)));
        g_signal_connect(dialog, "hide", G_CALLBACK(&NativeWindowGtk::onDialogHidden), this);
    }
}

void NativeWindowGtk::stopWatchingDialogs()
{
    for (const auto& dialog : m_cancelledDialogs)
        g_signal_handlers_disconnect_by_data(dialog.get(), this);
    m_cancelledDialogs.clear();
}

std::vector<GtkDialog*> NativeWindowGtk::modalDialogs() const
{
    std::vector<GtkDialog*> dialogs;
    const GListPtr toplevels(gtk_window_list_toplevels());
    for (GList* item = toplevels.get(); item; item = item->next) {
        auto* candidate = GTK_WINDOW(item->data);
        if (GTK_IS_DIALOG(candidate) && gtk_window_get_transient_for(candidate) == window()
            && gtk_window_get_modal(candidate) && gtk_widget_get_visible(GTK_WIDGET(candidate)))
            dialogs.push_back(GTK_DIALOG(candidate));
    }
    return dialogs;
}

void NativeWindowGtk::tellClientOfClose()
{
    guardCallback("window close request", [&] { m_client.nativeWindowCloseRequested(); });
}

gboolean NativeWindowGtk::onDelete(GtkWidget*, GdkEvent*, gpointer self)
{
    static_cast<NativeWindowGtk*>(self)->requestClose();
    return TRUE; // the owner destroys the window when it sees fit
}

} // namespace platform::gtk
