#include "MassPropertySetter.h"

#include "ClassRecord.h"
#include "Color.h"
#include "Exceptions.h"

#include <cstdint>
#include <string>

namespace rt {

namespace {

class BlockReader {
public:
    BlockReader(Object& object, std::string_view block) : m_object(object), m_block(block) { }

    bool atEnd() const { return m_position == m_block.size(); }

    std::string_view readKey()
    {
        const auto blank = m_block.find(' ', m_position);
        if (blank == std::string_view::npos || blank == m_position)
            fail("an entry has no key followed by a blank");
        auto key = m_block.substr(m_position, blank - m_position);
        m_position = blank + 1;
        return key;
    }

    std::int32_t readInteger()
    {
        auto bytes = take(4, "an Integer");
        const std::uint32_t bits = std::uint32_t(std::uint8_t(bytes[0])) << 24
            | std::uint32_t(std::uint8_t(bytes[1])) << 16 | std::uint32_t(std::uint8_t(bytes[2])) << 8
            | std::uint32_t(std::uint8_t(bytes[3]));
        return static_cast<std::int32_t>(bits);
    }

    bool readBoolean() { return take(1, "a Boolean")[0] != 0; }

    Color readColor()
    {
        auto bytes = take(3, "a Color");
        return { std::uint8_t(bytes[0]), std::uint8_t(bytes[1]), std::uint8_t(bytes[2]) };
    }

    String readString()
    {
        const auto length = static_cast<std::uint32_t>(readInteger());
        return String(take(length, "a String"));
    }

    [[noreturn]] void fail(const std::string& what) const
    {
        Raise<RuntimeException>(String("property block for " + m_object.classRecord().name.str() + ", byte "
            + std::to_string(m_position) + ": " + what));
    }

private:
    std::string_view take(std::size_t count, const char* what)
    {
        if (m_block.size() - m_position < count)
            fail(std::string("the block ends inside ") + what);
        auto bytes = m_block.substr(m_position, count);
        m_position += count;
        return bytes;
    }

    Object& m_object;
    std::string_view m_block;
    std::size_t m_position = 0;
};

template <class Value>
void CallSetter(Object& object, const PropertyEntry& property, Value value)
{
    using Setter = void (*)(Object&, Value);
    property.setter.as<Setter>()(object, value);
}

} // namespace

void RuntimeMassPropertySetter(Object& object, std::string_view block)
{
    BlockReader reader(object, block);
    while (!reader.atEnd()) {
        const auto key = reader.readKey();
        const PropertyEntry* property = object.classRecord().findProperty(key);
        if (!property)
            reader.fail("no property named " + std::string(key));
        if (property->setter.isNull())
            reader.fail("property " + std::string(key) + " cannot be set");

        const auto type = property->typeCode.view();
        if (type == "i4")
            CallSetter(object, *property, reader.readInteger());
        else if (type == "b")
            CallSetter(object, *property, reader.readBoolean());
        else if (type == "c")
            CallSetter(object, *property, reader.readColor());
        else if (type == "s")
            CallSetter<const String&>(object, *property, reader.readString());
        else
            reader.fail("property " + std::string(key) + " has a type no block can carry");
    }
}

} // namespace rt
