#pragma once

#include "ClassRecord.h"

namespace rt {

// A class record of the runtime's own (exceptions, delegates): named, with a
// parent and a factory, and no members, events or properties.
ClassRecord& DefineRuntimeClass(const char* name, ClassRecord* parent, ObjectFactory);

} // namespace rt
