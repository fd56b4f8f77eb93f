#include "mainwindow/ControlLookup.h"
#include "mainwindow/StartAddresses.h"
#include "mainwindow/Window1.h"

#include "classlib/GlobalFunctions.h"
#include "classlib/HTMLViewer.h"
#include "classlib/WindowSupport.h"

#include "os/PageAddress.h"

namespace mainwindow {

namespace {

// The page view of the window whose button raised the event, looked up anew.
rt::Ref<cl::HTMLViewer> MainViewer(rt::Object& me)
{
    rt::Ref<cl::Window> self = cl::WindowOfEventSource(me);
    return ControlNamed<cl::HTMLViewer>(self, "HTMLViewer1");
}

} // namespace

// "<"
void BevelButton1_Action(rt::Object& me)
{
    cl::GoBackExt(MainViewer(me));
}

// "Facebook"
void BevelButton2_Action(rt::Object& me)
{
    MainViewer(me)->LoadURL(kFacebookStartAddress);
}

// "Tidewell"
void BevelButton3_Action(rt::Object& me)
{
    MainViewer(me)->LoadURL(kNewsSiteAddress);
}

// ">"
void BevelButton4_Action(rt::Object& me)
{
    cl::GoForwardExt(MainViewer(me));
}

// "?"
void BevelButton5_Action(rt::Object& me)
{
    MainViewer(me)->LoadURL(kProductSiteAddress);
}

// "Twitter"
void BevelButton6_Action(rt::Object& me)
{
    MainViewer(me)->LoadURL(kTwitterStartAddress);
}

// "YouTube"
void BevelButton7_Action(rt::Object& me)
{
    MainViewer(me)->LoadURL(kYouTubeStartAddress);
}

// Every page that asks for a new window gets the hidden viewer.
rt::RefPtr<cl::HTMLViewer> HTMLViewer1_NewWindow(rt::Object& me)
{
    rt::Ref<cl::Window> self = cl::WindowOfEventSource(me);
    rt::RefPtr<cl::Control> viewer = cl::WindowControlByName(self, "HTMLViewer2");
    return rt::RuntimeCheckCast<cl::HTMLViewer>(viewer.get());
}

// The hidden viewer never shows a page: what it is asked to load goes to the
// default browser instead, when it is a web address.
bool HTMLViewer2_CancelLoad(rt::Object& me, const rt::String& url)
{
    [[maybe_unused]] rt::Ref<cl::Window> self = cl::WindowOfEventSource(me);
    if (os::IsWebAddress(url.view()))
        cl::ShowURL(url);
    return true;
}

// A loaded page asks nothing of the window. The handler still starts as every
// control's handler does, by finding the window, so a view that has lost its
// window is reported here as anywhere else.
void HTMLViewer1_DocumentComplete(rt::Object& me, const rt::String&)
{
    [[maybe_unused]] rt::Ref<cl::Window> self = cl::WindowOfEventSource(me);
}

} // namespace mainwindow
