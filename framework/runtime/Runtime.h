#pragma once

#include "Exceptions.h"
#include "Object.h"
#include "Routine.h"

#include <cstdint>

namespace platform {
class Platform;
}

namespace rt {

// Start and stop. RuntimeInit makes the platform of the linked backend and
// gathers the linked plug-ins; nothing of the framework may be used before it.
void RuntimeInit();

// Brings the toolkit up and calls `startup` back once, before any event.
void RunFrameworkInitialization(Routine startup);

// The event loop; returns once the application has been told to quit.
void RuntimeRun();

// Releases what the runtime holds and returns the exit status: the code given
// to Quit, else 1 when an unhandled exception was reported, else 0.
std::int32_t RuntimeExit();

void RuntimeInitExternalClasses();

void RuntimeRegisterAppObject(Object&);
RefPtr<Object> RuntimeAppObject();

// Asks the loop to end once the running handler has returned.
void RuntimeQuit(std::int32_t code);
bool RuntimeQuitRequested();

// Writes the exception's class and message to standard error. Returns normally.
void RuntimeUnhandledException(RuntimeException&);

platform::Platform& RuntimePlatform();

} // namespace rt
