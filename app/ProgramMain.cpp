#include "app/ProgramMain.h"

#include "app/App.h"
#include "app/Startup.h"
#include "mainwindow/Window1.h"

#include "classlib/ClassLibrary.h"
#include "classlib/WindowSupport.h"
#include "runtime/Runtime.h"

namespace program {

std::int32_t main()
{
    rt::RuntimeInit();
    initialize();
    Main();
    finalize();
    return rt::RuntimeExit();
}

void initialize()
{
    for (auto call : cl::ClassLibraryInitializationCalls())
        call();
    App_ctblinit();
    mainwindow::Window1_ctblinit();
}

void finalize()
{
    cl::ImplicitWindows = nullptr;
    cl::Windows = nullptr;
}

} // namespace program
