#include "ClassRecord.h"

#include "Exceptions.h"

#include <algorithm>
#include <deque>

namespace rt {

namespace {

// Class records live for the whole run; a deque keeps their addresses fixed.
std::deque<ClassRecord>& AllClassRecords()
{
    static std::deque<ClassRecord> records;
    return records;
}

} // namespace

bool ClassRecord::derivesFrom(const ClassRecord& other) const
{
    for (const ClassRecord* record = this; record; record = record->parent) {
        if (record == &other)
            return true;
    }
    return false;
}

// Names are matched without regard to ASCII case: a designed block may spell a
// key differently from its declaration ("MacProcID" sets MacProcId).
template <class Entry>
const Entry* FindByName(const ClassRecord* record, std::vector<Entry> ClassRecord::*table, std::string_view wanted)
{
    for (; record; record = record->parent) {
        for (const auto& entry : record->*table) {
            if (!entry.name.isNil() && EqualIgnoringASCIICase(entry.name.view(), wanted))
                return &entry;
        }
    }
    return nullptr;
}

const PropertyEntry* ClassRecord::findProperty(std::string_view wanted) const
{
    return FindByName(this, &ClassRecord::properties, wanted);
}

const MemberRecord* ClassRecord::findMember(std::string_view wanted) const
{
    return FindByName(this, &ClassRecord::members, wanted);
}

const EventEntry* ClassRecord::findEvent(std::string_view wanted) const
{
    for (const auto& event : events) {
        if (event.name == wanted)
            return &event;
    }
    return nullptr;
}

ClassRecord& RuntimeNewClass(ClassRecord* parent, int memberCount, int /*interfaceCount*/, int eventCount,
    int /*reserved*/, int propertyCount, int classAttributeCount)
{
    ClassRecord& record = AllClassRecords().emplace_back();
    record.parent = parent;
    record.members.resize(static_cast<std::size_t>(std::max(memberCount, 0)));
    record.events.resize(static_cast<std::size_t>(std::max(eventCount, 0)));
    record.properties.resize(static_cast<std::size_t>(std::max(propertyCount, 0)));
    record.classAttributes.resize(static_cast<std::size_t>(std::max(classAttributeCount, 0)));
    if (parent) {
        const auto inherited = [](const auto& from, auto& to) {
            std::copy_n(from.begin(), std::min(from.size(), to.size()), to.begin());
        };
        inherited(parent->members, record.members);
        inherited(parent->events, record.events);
        record.instanceSize = parent->instanceSize;
        // The subclass's own property table starts empty: lookups reach the
        // parent's properties through the parent link.
    }
    return record;
}

std::vector<Routine> RuntimeNewVtable(int slotCount)
{
    return std::vector<Routine>(static_cast<std::size_t>(std::max(slotCount, 0)));
}

std::span<AttributeRecord> RuntimeAllocateAttributeTable(
    std::vector<MemberRecord>& members, std::size_t place, int count)
{
    auto& attributes = members.at(place).attributes;
    attributes.assign(static_cast<std::size_t>(std::max(count, 0)), AttributeRecord());
    return attributes;
}

Ref<Object> RuntimeNewObject(ClassRecord& record)
{
    for (ClassRecord* ancestor = &record; ancestor; ancestor = ancestor->parent) {
        if (ancestor->factory)
            return ancestor->factory(record);
    }
    Raise<RuntimeException>(String("class " + record.name.str() + " cannot be instantiated"));
}

RefPtr<Object> RuntimeCheckCast(Object* object, const ClassRecord& record)
{
    if (object && !object->isA(record)) {
        Raise<RuntimeException>(
            String("an object of class " + object->classRecord().name.str() + " is not a " + record.name.str()));
    }
    return RefPtr<Object>(object);
}

void RaiseMissingSlot(const ClassRecord& record, std::size_t slot)
{
    Raise<NilObjectException>(
        String("class " + record.name.str() + " has no routine in operation slot " + std::to_string(slot)));
}

Variant Invoke(const MemberRecord& member, Object* target, const std::vector<Variant>* arguments)
{
    if (!member.invoker)
        Raise<NilObjectException>(String("member " + member.name.str() + " has no invoker"));
    return member.invoker(member.routine, target, arguments);
}

} // namespace rt
