#include "Application.h"

#include "ClassDefinition.h"
#include "EventDispatch.h"

#include "runtime/Runtime.h"

#include "platform/Platform.h"

#include <algorithm>
#include <chrono>
#include <thread>

namespace cl {

namespace {

rt::ClassRecord* s_ctbl = nullptr;

// Nothing to gather: the framework keeps no dependency list.
void DependencyList(Application&) { }

constexpr const char* kEventNames[] = { "Open", "Close", "EnableMenuItems", "NewDocument", "OpenDocument",
    "HandleAppleEvent", "Activate", "Deactivate", "UnhandledException", "CancelClose" };
static_assert(std::size(kEventNames) == Application::kEventCount);

} // namespace

rt::ClassRecord& Application::Lookup()
{
    return LookupBuilt(s_ctbl, &ctblinit);
}

void Application::ctblinit()
{
    if (s_ctbl)
        return;
    auto& record = NewLibraryClass(s_ctbl,
        { .name = "Application",
            .instanceSize = 96,
            .factory = &Make<Application>,
            .events = { std::begin(kEventNames), std::end(kEventNames) } });

    // Documents, trays, pollable objects and bundles have no counterpart
    // here; those operations say so when called.
    static constexpr auto kOperations = std::tuple {
        &Unsupported<"Application.NewDocument", Application&>,
        &Unsupported<"Application.OpenDocument", Application&, rt::Object*>,
        &Application::DoEvents,
        &Application::AddMenuHandler,
        &Unsupported<"Application._AddPollableObject", Application&, rt::Object*>,
        &Unsupported<"Application._RemovePollableObject", Application&, rt::Object*>,
        &Unsupported<"Application.AddTrayItem", Application&, rt::Object*>,
        &Unsupported<"Application.RemoveTrayItem", Application&, rt::Object*>,
        &Application::YieldToNextThread,
        &Application::SleepCurrentThread,
        &Application::DoSingleEvent,
        &Application::EnableMenuItems,
        &Application::CallOpen,
        &Application::HandleMenuCommand,
        &Unsupported<"Application._LoadPictureFromBundle", Application&, const rt::String&>,
        &Unsupported<"Application._LoadBundleSound", Application&, const rt::String&>,
        &DependencyList,
    };
    static_assert(std::tuple_size_v<decltype(kOperations)> == kOperationCount);
    record.vtable = OperationTable(kOperations);
    record.vtableCount = kOperationCount;
}

// Events that are ready run now, and those that come within the time given.
void Application::DoEvents(Application&, std::int32_t milliseconds)
{
    rt::RuntimePlatform().eventLoop().runPending(std::chrono::milliseconds(std::max(milliseconds, 0)));
}

void Application::AddMenuHandler(Application& application, const rt::String& itemName, rt::Routine handler)
{
    application.m_menuHandlers.add(itemName, handler);
}

// The program's handlers all run on the loop's thread; yielding lets the
// system run another thread of the process first.
void Application::YieldToNextThread(Application&)
{
    std::this_thread::yield();
}

void Application::SleepCurrentThread(Application&, std::int32_t milliseconds)
{
    std::this_thread::sleep_for(std::chrono::milliseconds(std::max(milliseconds, 0)));
}

void Application::DoSingleEvent(Application&, bool wait)
{
    rt::RuntimePlatform().eventLoop().runOne(wait);
}

// There is no menu bar to hand over: the class brings its menu items up to
// date in "EnableMenuItems", as a window's does.
void Application::EnableMenuItems(Application& application, rt::Object*)
{
    RaiseClassEvent(application, "EnableMenuItems");
}

void Application::CallOpen(Application& application)
{
    RaiseClassEvent(application, "Open");
}

bool Application::HandleMenuCommand(Application& application, const rt::String& itemName)
{
    return application.m_menuHandlers.handle(application, itemName.view());
}

} // namespace cl
