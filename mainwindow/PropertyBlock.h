#pragma once

#include <array>
#include <cstdint>
#include <initializer_list>
#include <string_view>

namespace mainwindow {

// One entry of a property block: a key and a value of the key's declared type.
struct BlockEntry {
    enum class Type { Integer, Boolean, Color, String };
    std::string_view key;
    Type type;
    std::int32_t integer = 0;
    bool boolean = false;
    std::array<std::uint8_t, 3> color {};
    std::string_view text;
};

constexpr BlockEntry Integer(std::string_view key, std::int32_t value)
{
    return {
        .key = key, .type = BlockEntry::Type::Integer, .integer = value, .boolean = false, .color = {}, .text = {}
    };
}

constexpr BlockEntry Boolean(std::string_view key, bool value)
{
    return { .key = key, .type = BlockEntry::Type::Boolean, .integer = 0, .boolean = value, .color = {}, .text = {} };
}

constexpr BlockEntry ColorBytes(std::string_view key, std::uint8_t first, std::uint8_t second, std::uint8_t third)
{
    return { .key = key,
        .type = BlockEntry::Type::Color,
        .integer = 0,
        .boolean = false,
        .color = { first, second, third },
        .text = {} };
}

constexpr BlockEntry Text(std::string_view key, std::string_view value)
{
    return { .key = key, .type = BlockEntry::Type::String, .integer = 0, .boolean = false, .color = {}, .text = value };
}

// A designed-properties block, encoded while the program is compiled: each
// entry is its key, one blank and the value (Integer: 4 bytes big-endian;
// Boolean: 1 byte; Color: 3 bytes; String: a 4-byte big-endian count, then the
// UTF-8 bytes). No header, separator or terminator.
class PropertyBlock {
public:
    static constexpr std::size_t kCapacity = 512;

    constexpr PropertyBlock() = default;
    constexpr PropertyBlock(std::initializer_list<BlockEntry> entries) { add(entries); }

    constexpr PropertyBlock& add(std::initializer_list<BlockEntry> entries)
    {
        for (const auto& entry : entries)
            add(entry);
        return *this;
    }

    constexpr std::string_view bytes() const { return { m_bytes.data(), m_size }; }
    constexpr std::size_t size() const { return m_size; }

private:
    constexpr void add(const BlockEntry& entry)
    {
        for (char c : entry.key)
            append(c);
        append(' ');
        switch (entry.type) {
        case BlockEntry::Type::Integer:
            appendInteger(entry.integer);
            break;
        case BlockEntry::Type::Boolean:
            append(entry.boolean ? '\x01' : '\x00');
            break;
        case BlockEntry::Type::Color:
            for (auto byte : entry.color)
                append(static_cast<char>(byte));
            break;
        case BlockEntry::Type::String:
            appendInteger(static_cast<std::int32_t>(entry.text.size()));
            for (char c : entry.text)
                append(c);
            break;
        }
    }

    constexpr void appendInteger(std::int32_t value)
    {
        const auto bits = static_cast<std::uint32_t>(value);
        for (int shift = 24; shift >= 0; shift -= 8)
            append(static_cast<char>((bits >> shift) & 0xFF));
    }

    constexpr void append(char c)
    {
        if (m_size == kCapacity)
            throw "a property block outgrew its capacity";
        m_bytes[m_size++] = c;
    }

    std::array<char, kCapacity> m_bytes {};
    std::size_t m_size = 0;
};

} // namespace mainwindow
