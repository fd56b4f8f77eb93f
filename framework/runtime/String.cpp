#include "String.h"

#include <algorithm>
#include <ostream>

namespace rt {

String::String(std::string_view text) : m_impl(makeRef<StringImpl>(std::string(text))) { }

String::String(std::string&& text) : m_impl(makeRef<StringImpl>(std::move(text))) { }

std::string_view String::view() const
{
    return m_impl ? std::string_view(m_impl->bytes) : std::string_view();
}

std::ostream& operator<<(std::ostream& stream, const String& string)
{
    return stream << string.view();
}

String RuntimeLockString(const String& string)
{
    return string;
}

String RuntimeAddString(const String& a, const String& b)
{
    std::string joined;
    joined.reserve(a.size() + b.size());
    joined.append(a.view()).append(b.view());
    return String(std::move(joined));
}

bool EqualIgnoringASCIICase(std::string_view a, std::string_view b)
{
    constexpr auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; };
    return std::ranges::equal(a, b, {}, lower, lower);
}

} // namespace rt
