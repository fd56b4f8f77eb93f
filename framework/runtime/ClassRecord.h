#pragma once

#include "Object.h"
#include "Routine.h"
#include "String.h"
#include "Variant.h"

#include <cstdint>
#include <span>
#include <vector>

namespace rt {

struct AttributeRecord {
    String name;
    String value;
    bool hasValue = false;
};

// Calls a member's routine on a target with an argument list, converting the
// arguments to the routine's parameter types. One invoker per signature.
using Invoker = Variant (*)(const Routine&, Object* target, const std::vector<Variant>* arguments);

struct MemberRecord {
    String name;
    std::uint32_t flags = 0;
    std::vector<AttributeRecord> attributes; // attached by RuntimeAllocateAttributeTable
    String signature;
    Routine routine;
    Invoker invoker = nullptr;
};

inline constexpr std::uint32_t kInstanceMethodFlag = 1;

struct EventEntry {
    String name;
    Routine handler; // null: the event is not handled
};

struct PropertyEntry {
    String name;
    String typeCode; // "i4", "b", "c", "s", or a type no block can carry
    Routine getter; // null for a write-only property
    Routine setter;
};

using ObjectFactory = Ref<Object> (*)(ClassRecord&);

// The run-time description of a class: what the class builders (the class
// library's and the program's) write, and what lookups by name, casts and
// calls through the operation table read.
struct ClassRecord {
    ClassRecord* parent = nullptr;
    String name;
    std::int32_t instanceSize = 0;
    bool isInterface = false;
    Routine initializer;
    Routine destructor;
    Routine finalizer;
    std::int32_t vtableCount = 0;
    std::vector<Routine> vtable;
    std::vector<MemberRecord> members;
    std::vector<EventEntry> events;
    std::vector<PropertyEntry> properties;
    std::vector<AttributeRecord> classAttributes;

    // Makes the native part of an instance; a subclass without one inherits its
    // nearest ancestor's.
    ObjectFactory factory = nullptr;

    bool derivesFrom(const ClassRecord& other) const;
    const PropertyEntry* findProperty(std::string_view name) const; // ignores ASCII case
    const MemberRecord* findMember(std::string_view name) const;
    const EventEntry* findEvent(std::string_view name) const;
};

// A new class record with its tables allocated for the given numbers. Member
// places and event entries start as copies of the parent's, so a subclass's
// event entry i is the parent's event i. The record lives for the whole run.
ClassRecord& RuntimeNewClass(ClassRecord* parent, int memberCount, int interfaceCount, int eventCount, int reserved,
    int propertyCount, int classAttributeCount);

std::vector<Routine> RuntimeNewVtable(int slotCount);

std::span<AttributeRecord> RuntimeAllocateAttributeTable(
    std::vector<MemberRecord>& members, std::size_t place, int count);

// A new, not yet constructed instance of the class; never nil.
Ref<Object> RuntimeNewObject(ClassRecord&);

// The object as an instance of `record`, or a RuntimeException naming both
// classes when it is not one. Nil passes through as nil.
RefPtr<Object> RuntimeCheckCast(Object*, const ClassRecord& record);

template <class T>
RefPtr<T> RuntimeCheckCast(Object* object)
{
    return RefPtr<T>(dynamic_cast<T*>(RuntimeCheckCast(object, T::Lookup()).get()));
}

[[noreturn]] void RaiseMissingSlot(const ClassRecord&, std::size_t slot);

// Calls a member through its record, as the framework's introspection does.
Variant Invoke(const MemberRecord&, Object* target, const std::vector<Variant>* arguments);

} // namespace rt

namespace rt {

// Calls the routine in `slot` of the object's operation table.
template <class Signature, class Self, class... Args>
auto CallVirtual(Self& self, std::size_t slot, Args&&... arguments)
{
    const auto& vtable = self.classRecord().vtable;
    if (slot >= vtable.size())
        RaiseMissingSlot(self.classRecord(), slot);
    auto function = vtable[slot].template as<Signature>();
    if (!function)
        RaiseMissingSlot(self.classRecord(), slot);
    return function(self, std::forward<Args>(arguments)...);
}

} // namespace rt
