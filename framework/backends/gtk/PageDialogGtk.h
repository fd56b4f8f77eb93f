#pragma once

#include "GObjectHandleGtk.h"

#include <webkit2/webkit2.h>

namespace platform::gtk {

// The engine's own dialog for a page's alert, confirm, prompt or leave
// question, drawn over the view until the user answers it. Shown the engine's
// way, known while it is up, and taken off a page that has gone or whose
// process has ended: the engine leaves a dead page's dialog over whatever the
// view shows next.
class PageDialogGtk {
public:
    void show(WebKitWebView* view, WebKitScriptDialog* dialog);

    // Whether the page waits on the user's answer now.
    bool isUp() const;
    // Whether what is up asks the user whether to leave the page.
    bool isLeaveQuestion() const;

    void takeOff();

private:
    GObjectHandle<GtkWidget> m_widget;
    bool m_leaveQuestion = false;
    bool m_unseen = false; // shown, but not found among what the view draws
};

} // namespace platform::gtk
