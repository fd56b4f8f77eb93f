#pragma once

#include "runtime/ClassRecord.h"
#include "runtime/Color.h"
#include "runtime/Exceptions.h"

#include <algorithm>
#include <string>
#include <tuple>
#include <type_traits>
#include <vector>

namespace cl {

// Helpers for the class library's builders: a property entry made from a
// class's getter and setter, with the declared type code its value type gives.

template <class T>
constexpr const char* TypeCodeOf()
{
    if constexpr (std::is_same_v<T, std::int32_t>)
        return "i4";
    else if constexpr (std::is_same_v<T, bool>)
        return "b";
    else if constexpr (std::is_same_v<T, rt::Color>)
        return "c";
    else if constexpr (std::is_same_v<T, rt::String>)
        return "s";
    else
        return "d";
}

template <auto Member>
struct PropertyThunk;

template <class C, class T, void (C::*Setter)(T)>
struct PropertyThunk<Setter> {
    using Value = std::remove_cvref_t<T>;
    static void Call(rt::Object& object, T value) { (static_cast<C&>(object).*Setter)(value); }
};

template <class C, class T, T (C::*Getter)() const>
struct PropertyThunk<Getter> {
    using Value = T;
    static T Call(rt::Object& object) { return (static_cast<const C&>(object).*Getter)(); }
};

template <auto Getter, auto Setter>
rt::PropertyEntry Property(const char* name)
{
    using Value = typename PropertyThunk<Setter>::Value;
    static_assert(std::is_same_v<Value, typename PropertyThunk<Getter>::Value>);
    return { rt::RuntimeLockString(name), TypeCodeOf<Value>(), rt::Routine(&PropertyThunk<Getter>::Call),
        rt::Routine(&PropertyThunk<Setter>::Call) };
}

template <auto Setter>
rt::PropertyEntry WriteOnlyProperty(const char* name)
{
    using Value = typename PropertyThunk<Setter>::Value;
    return { rt::RuntimeLockString(name), TypeCodeOf<Value>(), rt::Routine(),
        rt::Routine(&PropertyThunk<Setter>::Call) };
}

// A compile-time name, so an unsupported operation can say which it is.
template <std::size_t N>
struct OperationName {
    constexpr OperationName(const char (&text)[N]) { std::copy_n(text, N, value); }
    char value[N];
};

// An operation this framework does not provide on this platform: it raises an
// exception that names it rather than doing something half-right.
template <OperationName Name, class... Args>
void Unsupported(Args...)
{
    rt::Raise<rt::UnsupportedOperationException>(rt::String(std::string(Name.value) + " is not supported"));
}

// The factory of a class whose instances need nothing but their record.
template <class T>
rt::Ref<rt::Object> Make(rt::ClassRecord& record)
{
    return rt::makeRef<T>(record);
}

// An operation table written as a tuple keeps each routine's own type, so the
// compiler can count it and check which routine a named slot holds.
template <class... Routines>
std::vector<rt::Routine> OperationTable(const std::tuple<Routines...>& routines)
{
    return std::apply([](auto... routine) { return std::vector<rt::Routine> { rt::Routine(routine)... }; }, routines);
}

// What a class-library class declares of its own.
struct LibraryClass {
    const char* name;
    rt::ClassRecord* parent = nullptr;
    std::int32_t instanceSize = 0; // 0: the parent's
    rt::ObjectFactory factory = nullptr;
    std::vector<rt::PropertyEntry> properties = {};
    std::vector<const char*> events = {};
};

// Makes the class's record and keeps it in `ctbl` at once, so that a lookup
// made while the rest of it is built finds it.
rt::ClassRecord& NewLibraryClass(rt::ClassRecord*& ctbl, LibraryClass definition);

// The class's record, built on first use.
inline rt::ClassRecord& LookupBuilt(rt::ClassRecord* const& ctbl, void (*ctblinit)())
{
    if (!ctbl)
        ctblinit();
    return *ctbl;
}

} // namespace cl
