#pragma once

#include "GObjectHandleGtk.h"
#include "SandboxTrialGtk.h"

#include <webkit2/webkit2.h>

namespace platform::gtk {

// The one web context every view shares: one set of web processes and one
// persistent store of cookies, caches and site data, kept between runs so a
// user who logged in to a site stays logged in.
class WebContextGtk {
public:
    WebContextGtk() = default;
    WebContextGtk(const WebContextGtk&) = delete;
    WebContextGtk& operator=(const WebContextGtk&) = delete;

    // Made on first use: a program that never shows a page starts no engine.
    WebKitWebContext* context();

private:
    // Started with the platform, so the trial overlaps the toolkit's start.
    SandboxTrialGtk sandboxTrial_;
    GObjectHandle<WebKitWebContext> context_;
};

} // namespace platform::gtk
