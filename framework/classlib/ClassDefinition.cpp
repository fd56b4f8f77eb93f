#include "ClassDefinition.h"

namespace cl {

rt::ClassRecord& NewLibraryClass(rt::ClassRecord*& ctbl, LibraryClass definition)
{
    auto& record = rt::RuntimeNewClass(definition.parent, 0, 0, static_cast<int>(definition.events.size()), 0,
        static_cast<int>(definition.properties.size()), 0);
    ctbl = &record;
    record.name = rt::RuntimeLockString(definition.name);
    if (definition.instanceSize)
        record.instanceSize = definition.instanceSize;
    record.factory = definition.factory;
    record.properties = std::move(definition.properties);
    for (std::size_t i = 0; i < definition.events.size(); ++i)
        record.events[i].name = rt::RuntimeLockString(definition.events[i]);
    return record;
}

} // namespace cl
