#pragma once

#include "Object.h"

#include <string_view>

namespace rt {

// Applies a property block: entries of key, one blank and a value encoded by
// the declared type of the property the key names on the object's class.
// A block that names no property, carries a type no block can hold, or ends
// inside an entry raises a RuntimeException; entries before the fault stay set.
void RuntimeMassPropertySetter(Object&, std::string_view block);

} // namespace rt
