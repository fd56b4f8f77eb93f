#pragma once

#include <string>
#include <typeinfo>

namespace rt {

[[noreturn]] void RaiseRoutineMismatch(const std::type_info& stored, const std::type_info& wanted);

// An untyped routine address, as operation tables, event entries and plug-in
// tables hold them. It remembers the signature it was made from, so a call
// through the wrong signature raises instead of jumping into the unknown.
class Routine {
public:
    Routine() = default;

    template <class R, class... Args>
    Routine(R (*function)(Args...))
        : m_function(reinterpret_cast<Erased>(function))
        , m_type(function ? &typeid(R(*)(Args...)) : nullptr)
    {
    }

    bool isNull() const { return !m_function; }
    explicit operator bool() const { return m_function != nullptr; }

    // The routine as a callable of signature F, or a RuntimeException when it
    // was made from another signature. A null routine gives a null pointer.
    template <class F>
    F as() const
    {
        if (!m_function)
            return nullptr;
        if (*m_type != typeid(F))
            RaiseRoutineMismatch(*m_type, typeid(F));
        return reinterpret_cast<F>(m_function);
    }

    template <class F>
    bool is() const
    {
        return m_type && *m_type == typeid(F);
    }

    friend bool operator==(const Routine& a, const Routine& b) { return a.m_function == b.m_function; }

private:
    using Erased = void (*)();
    Erased m_function = nullptr;
    const std::type_info* m_type = nullptr;
};

} // namespace rt
