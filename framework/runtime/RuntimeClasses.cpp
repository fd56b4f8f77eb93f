#include "RuntimeClasses.h"

namespace rt {

ClassRecord& DefineRuntimeClass(const char* name, ClassRecord* parent, ObjectFactory factory)
{
    ClassRecord& record = RuntimeNewClass(parent, 0, 0, 0, 0, 0, 0);
    record.name = RuntimeLockString(name);
    record.factory = factory;
    return record;
}

} // namespace rt
