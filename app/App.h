#pragma once

#include "runtime/ClassRecord.h"

namespace program {

// The application object's class: the framework's Application, unchanged.
rt::ClassRecord& App_Lookup();
void App_ctblinit();

// Creates the application object and hands it to the runtime.
void NewAppInstance();

} // namespace program
