#pragma once

#include "Ref.h"
#include "Routine.h"
#include "String.h"

#include <map>
#include <string_view>

namespace rt {

struct ClassRecord;

// Every runtime instance: reference counted, tagged with the class record it
// was made from, and carrying the event handlers installed on it by name.
class Object : public RefCounted {
public:
    explicit Object(ClassRecord& record) : m_class(&record) { }

    ClassRecord& classRecord() const { return *m_class; }

    // True when this object's class is `record` or derives from it.
    bool isA(const ClassRecord& record) const;

    void installEventHandler(const String& eventName, Routine handler);
    Routine eventHandler(std::string_view eventName) const;

private:
    ClassRecord* m_class;
    std::map<std::string, Routine, std::less<>> m_eventHandlers;
};

// The event's handler installed on `object` under `eventName`; calling it then
// passes the object and the event's arguments.
void RuntimeInstallInstanceEventHandler(Object& object, const String& eventName, Routine handler);

// Explicit reference steps, for a routine that holds an object on purpose
// while it works on it (a window while its controls are built), or drops a
// reference before its handle would; elsewhere the handles take and drop
// references by themselves. The reference a lock gives is dropped when its
// handle goes, whichever way the routine ends.
template <class T>
Ref<T> RuntimeLockObject(T& object)
{
    return Ref<T>(object);
}

template <class T>
void RuntimeUnlockObject(RefPtr<T>& reference)
{
    reference = nullptr;
}

} // namespace rt
