#include "Plugins.h"

#include "classlib/HTMLViewer.h"

#include "runtime/Exceptions.h"

// The history extension: one page back or forward in a viewer's history, and
// nothing at either end of it.

namespace plugins {

namespace {

cl::HTMLViewer& AsViewer(rt::Object& object)
{
    auto* viewer = dynamic_cast<cl::HTMLViewer*>(&object);
    if (!viewer)
        rt::Raise<rt::RuntimeException>("the history extension was given an object that is not an HTMLViewer");
    return *viewer;
}

void GoBackExt(rt::Object& object)
{
    if (auto* view = AsViewer(object).nativeWebView(); view && view->canGoBack())
        view->goBack();
}

void GoForwardExt(rt::Object& object)
{
    if (auto* view = AsViewer(object).nativeWebView(); view && view->canGoForward())
        view->goForward();
}

} // namespace

void RegisterHTMLViewerExtension(rt::PluginRegistry& registry)
{
    registry.add(cl::plugin_entry::kHistoryGoBackExt, &GoBackExt);
    registry.add(cl::plugin_entry::kHistoryGoForwardExt, &GoForwardExt);
}

} // namespace plugins
