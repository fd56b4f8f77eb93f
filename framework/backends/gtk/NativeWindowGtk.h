#pragma once

#include "GObjectHandleGtk.h"
#include "GeometryReportFilterGtk.h"
#include "platform/NativeWindow.h"

#include <gtk/gtk.h>

#include <functional>
#include <vector>

namespace platform::gtk {

class WebContextGtk;

// A toplevel window whose content is a GtkLayout: controls sit at absolute
// positions, and since a layout asks for no room of its own, the window can
// be made as small as its size limits allow whatever the controls' extent.
class NativeWindowGtk final : public NativeWindow {
public:
    // `onDestroy` is told when the window goes.
    NativeWindowGtk(
        NativeWindowClient& client, WebContextGtk& webContext, std::function<void(NativeWindowGtk*)> onDestroy = {});
    NativeWindowGtk(const NativeWindowGtk&) = delete;
    NativeWindowGtk& operator=(const NativeWindowGtk&) = delete;
    ~NativeWindowGtk() override;

    void setTitle(std::string_view title) override;
    void setPosition(std::int32_t left, std::int32_t top) override;
    void setSize(std::int32_t width, std::int32_t height) override;
    void setSizeLimits(
        std::int32_t minWidth, std::int32_t minHeight, std::int32_t maxWidth, std::int32_t maxHeight) override;
    void setResizable(bool resizable) override;
    void setCloseButton(bool closeButton) override;
    void setBackgroundColor(std::optional<Color> color) override;
    void setFullScreen(bool fullScreen) override;

    void show() override;
    void hide() override;
    void focus() override;
    void refresh() override;
    void maximize() override;
    void minimize() override;
    void restore() override;

    std::unique_ptr<NativeButton> createButton(NativeButtonClient& client) override;
    std::unique_ptr<NativeSeparator> createSeparator() override;
    std::unique_ptr<NativeTextField> createTextField(NativeTextFieldClient& client) override;
    std::unique_ptr<NativeWebView> createWebView(NativeWebViewClient& client) override;

    // Asks the owner to close the window, as the window manager's close
    // button does. A modal dialog the window has up (a print dialog) is
    // cancelled first, and the owner hears of the request once it has gone.
    void requestClose();

    // Whether `grab`, the widget that holds the input, is in a modal dialog
    // of this window.
    bool isHeldByItsDialog(GtkWidget* grab) const;

    // A click on one of the window's buttons that a modal dialog of the
    // window kept from it: the dialog is cancelled, and the button clicked
    // once it has gone.
    void clickUnderDialog(GtkButton* button);

    bool isShownAs(GtkWidget* toplevel) const { return toplevel == m_window.get(); }

private:
    static gboolean onConfigure(GtkWidget*, GdkEventConfigure*, gpointer self);
    static gboolean onDelete(GtkWidget*, GdkEvent*, gpointer self);
    static void onDialogHidden(GtkWidget*, gpointer self);
    static gboolean goOnOnceDialogsHaveGone(gpointer self);
    void afterCancellingDialogs(std::function<void()> request);
    void watchDialogs(const std::vector<GtkDialog*>& dialogs);
    void stopWatchingDialogs();
    std::vector<GtkDialog*> modalDialogs() const;
    void tellClientOfClose();
    void reportGeometryChange();
    std::optional<WindowPair> shown(void (*measure)(GtkWindow*, gint*, gint*)) const;

    GtkWindow* window() const { return GTK_WINDOW(m_window.get()); }
    GtkLayout* layout() const { return GTK_LAYOUT(m_layout.get()); }

    NativeWindowClient& m_client;
    WebContextGtk& m_webContext;
    GObjectHandle<GtkWidget> m_window;
    GObjectHandle<GtkWidget> m_layout;
    GObjectHandle<GtkCssProvider> m_background;
    GeometryReportFilter m_sizeReports;
    GeometryReportFilter m_positionReports;
    std::function<void(NativeWindowGtk*)> m_onDestroy;
    std::function<void()> m_afterDialogs; // the user's request, held until the dialogs have gone
    std::vector<GObjectHandle<GtkWidget>> m_cancelledDialogs; // until all have gone
    guint m_lookAfterDialogs = 0; // the look, once one has gone, whether all have
};

} // namespace platform::gtk
