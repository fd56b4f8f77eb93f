#pragma once

#include "runtime/MassPropertySetter.h"

namespace cl {

// Gives an object its designed properties from one block.
inline void SetProperties(rt::Object& object, std::string_view block)
{
    rt::RuntimeMassPropertySetter(object, block);
}

} // namespace cl
