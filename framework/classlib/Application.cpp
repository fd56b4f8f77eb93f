#include "Application.h"

#include "ClassDefinition.h"
#include "EventDispatch.h"

namespace cl {

namespace {

rt::ClassRecord* s_ctbl = nullptr;

// Runs the application's Open handler, when its class has one.
void CallOpen(Application& application)
{
    const auto* entry = application.classRecord().findEvent("Open");
    if (!entry)
        return;
    if (auto handler = entry->handler.as<void (*)(Application&)>())
        CallFunctionWithExceptionHandling([&] { handler(application); });
}

// Nothing to gather: the framework keeps no dependency list.
void DependencyList(Application&) { }

bool HandleMenuCommand(Application&, const rt::String&)
{
    return false;
}

constexpr const char* kEventNames[Application::kEventCount] = { "Open", "Close", "EnableMenuItems", "NewDocument",
    "OpenDocument", "HandleAppleEvent", "Activate", "Deactivate", "UnhandledException", "CancelClose" };

} // namespace

rt::ClassRecord& Application::Lookup()
{
    return LookupBuilt(s_ctbl, &ctblinit);
}

void Application::ctblinit()
{
    if (s_ctbl)
        return;
    auto& record = NewLibraryClass(s_ctbl, { .name = "Application", .instanceSize = 96, .factory = &Make<Application>,
        .events = { std::begin(kEventNames), std::end(kEventNames) } });

    // Documents, trays, pollable objects, bundles and threads have no
    // counterpart here; those operations say so when called.
    record.vtable = std::vector<rt::Routine> {
        &Unsupported<"Application.NewDocument", Application&>,
        &Unsupported<"Application.OpenDocument", Application&, rt::Object*>,
        &Unsupported<"Application.DoEvents", Application&, std::int32_t>,
        &Unsupported<"Application._AddMenuHandler", Application&, const rt::String&, rt::Routine>,
        &Unsupported<"Application._AddPollableObject", Application&, rt::Object*>,
        &Unsupported<"Application._RemovePollableObject", Application&, rt::Object*>,
        &Unsupported<"Application.AddTrayItem", Application&, rt::Object*>,
        &Unsupported<"Application.RemoveTrayItem", Application&, rt::Object*>,
        &Unsupported<"Application.YieldToNextThread", Application&>,
        &Unsupported<"Application.SleepCurrentThread", Application&, std::int32_t>,
        &Unsupported<"Application._DoSingleEvent", Application&, bool>,
        &Unsupported<"Application._EnableMenuItems", Application&>,
        &CallOpen,
        &HandleMenuCommand,
        &Unsupported<"Application._LoadPictureFromBundle", Application&, const rt::String&>,
        &Unsupported<"Application._LoadBundleSound", Application&, const rt::String&>,
        &DependencyList,
    };
    record.vtableCount = kOperationCount;
}

} // namespace cl
