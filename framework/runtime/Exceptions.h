#pragma once

#include "ClassRecord.h"
#include "Object.h"

#include <exception>
#include <string>

namespace rt {

// The runtime's exception classes. They are ordinary runtime objects; raising
// one throws it as a C++ exception (RaisedException) that carries the object.
class RuntimeException : public Object {
public:
    explicit RuntimeException(ClassRecord& record) : Object(record) { }
    static ClassRecord& Lookup();

    String Message;
    std::int32_t ErrorNumber = 0;
};

#define RT_DECLARE_EXCEPTION(Name)                                                                                     \
    class Name : public RuntimeException {                                                                             \
    public:                                                                                                            \
        using RuntimeException::RuntimeException;                                                                      \
        static ClassRecord& Lookup();                                                                                  \
    };

RT_DECLARE_EXCEPTION(NilObjectException)
RT_DECLARE_EXCEPTION(IOException)
RT_DECLARE_EXCEPTION(EndException)
RT_DECLARE_EXCEPTION(ThreadEndException)
RT_DECLARE_EXCEPTION(UnsupportedOperationException)

#undef RT_DECLARE_EXCEPTION

class RaisedException final : public std::exception {
public:
    explicit RaisedException(Ref<RuntimeException> exception);
    const char* what() const noexcept override { return m_what.c_str(); }
    RuntimeException& exception() const { return m_exception.get(); }

private:
    Ref<RuntimeException> m_exception;
    std::string m_what;
};

[[noreturn]] void RuntimeRaiseException(RuntimeException&);

// The exception being handled, as one of the runtime's: a raised exception is
// itself, a C++ exception becomes a RuntimeException with its message, and
// anything else one that says it is unknown. Only valid inside a catch block.
Ref<RuntimeException> CaughtException();

template <class E>
Ref<E> NewException(const String& message, std::int32_t errorNumber = 0)
{
    Ref<Object> object = RuntimeNewObject(E::Lookup());
    auto& exception = static_cast<E&>(object.get());
    exception.Message = message;
    exception.ErrorNumber = errorNumber;
    return Ref<E>(exception);
}

template <class E>
[[noreturn]] void Raise(const String& message, std::int32_t errorNumber = 0)
{
    RuntimeRaiseException(NewException<E>(message, errorNumber));
}

// Nil checks are the caller's: raises NilObjectException naming what was nil.
template <class T>
T& RequireNonNil(const RefPtr<T>& reference, std::string_view what)
{
    if (!reference)
        Raise<NilObjectException>(String(std::string(what) + " is nil"));
    return *reference;
}

} // namespace rt
