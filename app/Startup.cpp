#include "app/Startup.h"

#include "app/App.h"
#include "app/PluginEntrypointTable.h"
#include "mainwindow/Window1.h"

#include "runtime/Invokers.h"
#include "runtime/Runtime.h"

namespace program {

void Main()
{
    rt::RefPtr<rt::Delegate> startup;
    try {
        // The start-up routine, wrapped in a parameterless delegate, the form
        // in which the framework calls it back.
        startup = rt::RuntimeCreateDelegate(rt::DelegateInvoke<void (*)()>, &Startup, nullptr, "(  )");
        rt::Routine routine = startup ? startup->routine : rt::Routine();
        // The framework initialises itself and calls the routine back.
        rt::RunFrameworkInitialization(routine);
        // The delegate has served; the program keeps no reference to it.
        rt::RuntimeUnlockObject(startup);
        // The event loop, until the application is told to quit.
        rt::RuntimeRun();
    } catch (...) {
        // Whatever was raised, named or not, is reported, and the caller goes
        // on to finalise and exit.
        rt::RuntimeUnhandledException(rt::CaughtException());
    }
}

void Startup()
{
    rt::RuntimeInitExternalClasses();
    InitPluginEntrypoints();
    InitFileTypes();
    NewAppInstance();
    ApplicationAddMenuHandlers();
    MakeDefaultView();
}

// The program declares no document types.
void InitFileTypes() { }

void InitPluginEntrypoints()
{
    // 1. The table.
    plugin_entrypoints = &rt::RuntimeAllocatePluginEntrypointsTable(kPluginEntrypointCount);
    // 2. Each entry by its exact name, in index order, stored as it comes.
    for (int index = 0; index < kPluginEntrypointCount; ++index)
        (*plugin_entrypoints)[index] = rt::RuntimeLookupPluginEntrypoint(rt::String(kPluginEntrypointNames[index]));
}

// The application has no menu handlers of its own.
void ApplicationAddMenuHandlers() { }

void MakeDefaultView()
{
    // The framework keeps the open window; the reference is dropped at once.
    mainwindow::Window1();
}

} // namespace program
