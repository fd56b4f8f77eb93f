#include "Object.h"

#include "ClassRecord.h"

namespace rt {

bool Object::isA(const ClassRecord& record) const
{
    return m_class->derivesFrom(record);
}

void Object::installEventHandler(const String& eventName, Routine handler)
{
    m_eventHandlers[eventName.str()] = handler;
}

Routine Object::eventHandler(std::string_view eventName) const
{
    auto found = m_eventHandlers.find(eventName);
    return found == m_eventHandlers.end() ? Routine() : found->second;
}

void RuntimeInstallInstanceEventHandler(Object& object, const String& eventName, Routine handler)
{
    object.installEventHandler(eventName, handler);
}

} // namespace rt
