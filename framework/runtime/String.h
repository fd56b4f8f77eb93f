#pragma once

#include "Ref.h"

#include <iosfwd>
#include <string>
#include <string_view>

namespace rt {

class StringImpl final : public RefCounted {
public:
    explicit StringImpl(std::string bytes) : bytes(std::move(bytes)) { }
    const std::string bytes;
};

// An immutable, shared run of bytes. Text is UTF-8 by convention, but nothing
// here validates it: property blocks travel as strings too.
class String {
public:
    String() = default; // nil, which reads as the empty string
    String(const char* text) : String(std::string_view(text)) { }
    String(std::string_view text);
    String(std::string&& text);
    String(const std::string& text) : String(std::string_view(text)) { }

    std::string_view view() const;
    std::string str() const { return std::string(view()); }
    std::size_t size() const { return view().size(); }
    bool isEmpty() const { return view().empty(); }
    bool isNil() const { return !m_impl; }

    friend bool operator==(const String& a, const String& b) { return a.view() == b.view(); }
    friend bool operator==(const String& a, std::string_view b) { return a.view() == b; }
    friend bool operator==(const String& a, const char* b) { return a.view() == std::string_view(b); }
    friend std::ostream& operator<<(std::ostream&, const String&);

private:
    RefPtr<StringImpl> m_impl;
};

// Takes one more reference on a string: the copy shares the bytes.
String RuntimeLockString(const String&);
String RuntimeAddString(const String& a, const String& b);

// Whether two names are the same but for the case of ASCII letters, whatever
// the locale: how the framework matches the names of members and controls.
bool EqualIgnoringASCIICase(std::string_view a, std::string_view b);

} // namespace rt
