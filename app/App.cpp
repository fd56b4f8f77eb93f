#include "app/App.h"

#include "classlib/Application.h"
#include "runtime/Runtime.h"

namespace program {

namespace {

rt::ClassRecord* App_ctbl = nullptr;

// App adds no members of its own to the places kept for Application's.
constexpr int kOwnMembers = 0;
constexpr int kMemberPlaces = cl::Application::kInheritedMemberPlaces + kOwnMembers;

} // namespace

rt::ClassRecord& App_Lookup()
{
    if (!App_ctbl)
        App_ctblinit();
    return *App_ctbl;
}

void App_ctblinit()
{
    // 1. Built at most once.
    if (App_ctbl)
        return;

    // 2. A subclass of Application with room for Application's members and
    //    property accessors, and no members, events or properties of its own.
    auto& application = cl::Application::Lookup();
    auto& record = rt::RuntimeNewClass(
        &application, kMemberPlaces, 0, cl::Application::kEventCount, 0, cl::Application::kInheritedPropertyCount, 0);
    App_ctbl = &record;

    // 3. Its name and size.
    record.name = rt::RuntimeLockString("App");
    record.instanceSize = application.instanceSize;

    // 4. Application's operations, unchanged and in their order.
    record.vtable = rt::RuntimeNewVtable(cl::Application::kOperationCount);
    record.vtableCount = cl::Application::kOperationCount;
    for (int slot = 0; slot < cl::Application::kOperationCount; ++slot)
        record.vtable[slot] = application.vtable[slot];
}

void NewAppInstance()
{
    // A new instance, whose one reference the runtime shares on registering it
    // and this routine drops on return: the program keeps none.
    rt::Ref<rt::Object> instance = rt::RuntimeNewObject(App_Lookup());
    rt::RuntimeRegisterAppObject(instance);
}

} // namespace program
