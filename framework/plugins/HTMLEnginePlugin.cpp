#include "Plugins.h"

#include "classlib/FolderItem.h"
#include "classlib/HTMLViewer.h"

#include "runtime/Exceptions.h"

// The HTML engine: each routine hands its call to the viewer's native web
// view, which loads on its own and reports back through the viewer.

namespace plugins {

namespace {

platform::NativeWebView& EngineOf(rt::Object& object)
{
    auto* viewer = dynamic_cast<cl::HTMLViewer*>(&object);
    if (!viewer)
        rt::Raise<rt::RuntimeException>("the HTML engine was given an object that is not an HTMLViewer");
    if (!viewer->nativeWebView())
        rt::Raise<rt::NilObjectException>("the HTML viewer has no engine view (its window is closed)");
    return *viewer->nativeWebView();
}

void LoadURL(rt::Object& viewer, const rt::String& url)
{
    EngineOf(viewer).loadURL(url.view());
}

void Cancel(rt::Object& viewer)
{
    EngineOf(viewer).stopLoading();
}

void LoadPageFromFile(rt::Object& viewer, cl::FolderItem& file)
{
    EngineOf(viewer).loadURL(file.URLPath().view());
}

void LoadPageFromSource(rt::Object& viewer, const rt::String& source, cl::FolderItem* baseFile)
{
    const rt::String base = baseFile ? baseFile->URLPath() : rt::String();
    EngineOf(viewer).loadHTML(source.view(), base.view());
}

bool IsAvailable(rt::Object&)
{
    return true;
}

void Print(rt::Object& viewer, bool showPrintDialog)
{
    EngineOf(viewer).print(showPrintDialog);
}

bool CanGoBack(rt::Object& viewer)
{
    return EngineOf(viewer).canGoBack();
}

bool CanGoForward(rt::Object& viewer)
{
    return EngineOf(viewer).canGoForward();
}

void GoForward(rt::Object& viewer)
{
    EngineOf(viewer).goForward();
}

void GoBack(rt::Object& viewer)
{
    EngineOf(viewer).goBack();
}

} // namespace

void RegisterHTMLEnginePlugin(rt::PluginRegistry& registry)
{
    registry.add(cl::plugin_entry::kHTMLEngineLoadURL, &LoadURL);
    registry.add(cl::plugin_entry::kHTMLEngineCancel, &Cancel);
    registry.add(cl::plugin_entry::kHTMLEngineLoadPageFromFile, &LoadPageFromFile);
    registry.add(cl::plugin_entry::kHTMLEngineLoadPageFromSource, &LoadPageFromSource);
    registry.add(cl::plugin_entry::kHTMLEngineIsAvailable, &IsAvailable);
    registry.add(cl::plugin_entry::kHTMLEnginePrint, &Print);
    registry.add(cl::plugin_entry::kHTMLEngineCanGoBack, &CanGoBack);
    registry.add(cl::plugin_entry::kHTMLEngineCanGoForward, &CanGoForward);
    registry.add(cl::plugin_entry::kHTMLEngineGoForward, &GoForward);
    registry.add(cl::plugin_entry::kHTMLEngineGoBack, &GoBack);
}

} // namespace plugins
