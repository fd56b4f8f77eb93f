#include "HTMLViewer.h"

#include "ClassDefinition.h"
#include "EventDispatch.h"
#include "FolderItem.h"
#include "PluginEntryNames.h"

#include "os/PageAddress.h"
#include "os/TellUser.h"
#include "runtime/PluginEntrypoints.h"

namespace cl {

namespace {

rt::ClassRecord* s_ctbl = nullptr;

template <class Signature, class... Args>
auto CallEngine(plugin_entry::Name entry, HTMLViewer& viewer, Args&&... arguments)
{
    return rt::CallPluginEntrypoint<Signature>(
        entry, static_cast<rt::Object&>(viewer), std::forward<Args>(arguments)...);
}

} // namespace

rt::ClassRecord& HTMLViewer::Lookup()
{
    return LookupBuilt(s_ctbl, &ctblinit);
}

void HTMLViewer::ctblinit()
{
    if (!s_ctbl) {
        NewLibraryClass(s_ctbl,
            { .name = "HTMLViewer",
                .parent = &RectControl::Lookup(),
                .factory = &Make<HTMLViewer>,
                .events = { "CancelLoad", "NewWindow", "DocumentComplete" } });
    }
}

void HTMLViewer::LoadURL(const rt::String& url)
{
    CallEngine<void (*)(rt::Object&, const rt::String&)>(plugin_entry::kHTMLEngineLoadURL, *this, url);
}

void HTMLViewer::Cancel()
{
    CallEngine<void (*)(rt::Object&)>(plugin_entry::kHTMLEngineCancel, *this);
}

void HTMLViewer::LoadPage(FolderItem& file)
{
    CallEngine<void (*)(rt::Object&, FolderItem&)>(plugin_entry::kHTMLEngineLoadPageFromFile, *this, file);
}

void HTMLViewer::LoadPage(const rt::String& source, FolderItem* baseFile)
{
    CallEngine<void (*)(rt::Object&, const rt::String&, FolderItem*)>(
        plugin_entry::kHTMLEngineLoadPageFromSource, *this, source, baseFile);
}

bool HTMLViewer::IsAvailable()
{
    return CallEngine<bool (*)(rt::Object&)>(plugin_entry::kHTMLEngineIsAvailable, *this);
}

void HTMLViewer::Print(bool showPrintDialog)
{
    CallEngine<void (*)(rt::Object&, bool)>(plugin_entry::kHTMLEnginePrint, *this, showPrintDialog);
}

bool HTMLViewer::CanGoBack()
{
    return CallEngine<bool (*)(rt::Object&)>(plugin_entry::kHTMLEngineCanGoBack, *this);
}

bool HTMLViewer::CanGoForward()
{
    return CallEngine<bool (*)(rt::Object&)>(plugin_entry::kHTMLEngineCanGoForward, *this);
}

void HTMLViewer::GoBack()
{
    CallEngine<void (*)(rt::Object&)>(plugin_entry::kHTMLEngineGoBack, *this);
}

void HTMLViewer::GoForward()
{
    CallEngine<void (*)(rt::Object&)>(plugin_entry::kHTMLEngineGoForward, *this);
}

bool HTMLViewer::EditClear_Action(rt::Object&)
{
    return false;
}

bool HTMLViewer::EditCopy_Action(rt::Object&)
{
    return false;
}

bool HTMLViewer::EditCut_Action(rt::Object&)
{
    return false;
}

bool HTMLViewer::EditPaste_Action(rt::Object&)
{
    return false;
}

bool HTMLViewer::EditSelectAll_Action(rt::Object&)
{
    return false;
}

std::unique_ptr<platform::NativeControl> HTMLViewer::createNative(platform::NativeWindow& window)
{
    return window.createWebView(*this);
}

bool HTMLViewer::nativeWebViewShouldCancelLoad(std::string_view url)
{
    rt::Ref<HTMLViewer> protect(*this);
    auto cancel = RaiseInstanceEvent<bool (*)(rt::Object&, const rt::String&)>(*this, "CancelLoad", rt::String(url));
    return cancel.value_or(false);
}

void HTMLViewer::nativeWebViewUserActed()
{
    m_userActionAllowance.userActed(UserActionAllowance::Clock::now());
}

void HTMLViewer::nativeWebViewPageLeft()
{
    m_userActionAllowance.pageLeft();
}

// The page is loaded into the viewer "NewWindow" names, which hears of the
// load first like any other; without one the request goes nowhere. A script
// address is no page: the engine would run it in that viewer, which the user
// may never see.
void HTMLViewer::nativeWebViewNewWindowRequested(std::string_view url)
{
    if (os::IsScriptAddress(url))
        return;
    switch (m_userActionAllowance.take(UserActionAllowance::Clock::now())) {
    case UserActionAllowance::Answer::Granted:
        break;
    case UserActionAllowance::Answer::RefusedFirstOfBurst:
        os::TellUser("a page asked for more new windows than the user's clicks and key presses allow;"
                     " the rest are dropped until the next one");
        return;
    case UserActionAllowance::Answer::Refused:
        return;
    }
    loadInNewWindow(url);
}

// A download goes where a new window would: the page's own road to the
// default browser. A blob: or data: address lives only in the page, so no
// browser could be handed it.
void HTMLViewer::nativeWebViewDownloadRequested(std::string_view url)
{
    const bool pageOnly = os::IsPageOnlyAddress(url);
    if (pageOnly || !m_userActionAllowance.takeQuietly(UserActionAllowance::Clock::now())) {
        os::TellUser("a page's download of " + os::Quoted(url)
            + (pageOnly ? " was refused: it exists only in the page" : " was refused: the user did not ask for it"));
        return;
    }
    loadInNewWindow(url);
}

bool HTMLViewer::nativeWebViewShouldPrint()
{
    return m_userActionAllowance.takeQuietly(UserActionAllowance::Clock::now());
}

void HTMLViewer::loadInNewWindow(std::string_view url)
{
    rt::Ref<HTMLViewer> protect(*this);
    auto target = RaiseInstanceEvent<rt::RefPtr<HTMLViewer> (*)(rt::Object&)>(*this, "NewWindow");
    if (!target || !*target || !(*target)->nativeWebView())
        return;
    (*target)->nativeWebView()->loadURL(url);
}

void HTMLViewer::nativeWebViewDocumentComplete(std::string_view url)
{
    rt::Ref<HTMLViewer> protect(*this);
    RaiseInstanceEvent<void (*)(rt::Object&, const rt::String&)>(*this, "DocumentComplete", rt::String(url));
}

void GoBackExt(HTMLViewer& viewer)
{
    rt::CallPluginEntrypoint<void (*)(rt::Object&)>(plugin_entry::kHistoryGoBackExt, static_cast<rt::Object&>(viewer));
}

void GoForwardExt(HTMLViewer& viewer)
{
    rt::CallPluginEntrypoint<void (*)(rt::Object&)>(
        plugin_entry::kHistoryGoForwardExt, static_cast<rt::Object&>(viewer));
}

} // namespace cl
