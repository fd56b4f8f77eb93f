#include "Exceptions.h"
#include "Routine.h"

namespace rt {

void RaiseRoutineMismatch(const std::type_info& stored, const std::type_info& wanted)
{
    Raise<RuntimeException>(
        String(std::string("a routine of signature ") + stored.name() + " was called as " + wanted.name()));
}

} // namespace rt
