#include "Runtime.h"

#include "Probe.h"
#include "RuntimeState.h"

#include "os/TellUser.h"
#include "platform/Platform.h"

#include <string>

namespace rt {

RuntimeState& TheRuntime()
{
    static RuntimeState state;
    return state;
}

void RuntimeInit()
{
    auto& runtime = TheRuntime();
    runtime = RuntimeState();
    runtime.platform = platform::CreatePlatform();
    RegisterLinkedPlugins(runtime.plugins);
    RuntimeProbe("RuntimeInit");
}

void RunFrameworkInitialization(Routine startup)
{
    auto& runtime = TheRuntime();
    try {
        runtime.platform->initialize();
    } catch (const platform::PlatformError& error) {
        // Nothing of the application can run (no display, say): this is the
        // user's to fix, so it is said plainly, and the application quits
        // before it has started.
        os::TellUser(error.what());
        RuntimeQuit(1);
        return;
    }
    runtime.platformInitialized = true;
    RuntimeProbe("RunFrameworkInitialization");
    auto callback = startup.as<void (*)()>();
    if (!callback)
        Raise<NilObjectException>("the start-up routine is nil");
    RuntimeProbe("start-up routine");
    callback();
}

void RuntimeRun()
{
    auto& runtime = TheRuntime();
    RuntimeProbe("RuntimeRun");
    // Quit may already have been asked for while the window was being built.
    if (!runtime.quitCode)
        runtime.platform->eventLoop().run();
    RuntimeProbe("RuntimeRun returned");
}

std::int32_t RuntimeExit()
{
    auto& runtime = TheRuntime();
    RuntimeProbe("RuntimeExit");
    const std::int32_t status = runtime.quitCode.value_or(runtime.unhandledExceptionReported ? 1 : 0);
    runtime.appObject = nullptr;
    runtime.pluginTable.clear();
    runtime.platform.reset();
    runtime.platformInitialized = false;
    return status;
}

void RuntimeInitExternalClasses()
{
    // The program declares no external classes; there is nothing to bind.
    RuntimeProbe("RuntimeInitExternalClasses");
}

void RuntimeRegisterAppObject(Object& object)
{
    TheRuntime().appObject = &object;
    RuntimeProbe("RuntimeRegisterAppObject");
}

RefPtr<Object> RuntimeAppObject()
{
    return TheRuntime().appObject;
}

void RuntimeQuit(std::int32_t code)
{
    auto& runtime = TheRuntime();
    if (runtime.quitCode)
        return;
    runtime.quitCode = code;
    RuntimeProbe("Quit");
    if (runtime.platformInitialized)
        runtime.platform->eventLoop().quit();
}

bool RuntimeQuitRequested()
{
    return TheRuntime().quitCode.has_value();
}

void RuntimeUnhandledException(RuntimeException& exception)
{
    TheRuntime().unhandledExceptionReported = true;
    RuntimeProbe("RuntimeUnhandledException");
    std::string report = "unhandled " + exception.classRecord().name.str();
    if (!exception.Message.isEmpty())
        report += ": " + exception.Message.str();
    os::TellUser(report);
}

platform::Platform& RuntimePlatform()
{
    auto& runtime = TheRuntime();
    if (!runtime.platform)
        Raise<RuntimeException>("the runtime is not initialised");
    return *runtime.platform;
}

} // namespace rt
