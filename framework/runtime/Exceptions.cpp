#include "Exceptions.h"

#include "RuntimeClasses.h"

namespace rt {

namespace {

Ref<Object> MakeException(ClassRecord& record)
{
    return makeRef<RuntimeException>(record);
}

} // namespace

ClassRecord& RuntimeException::Lookup()
{
    static ClassRecord& record = DefineRuntimeClass("RuntimeException", nullptr, MakeException);
    return record;
}

#define RT_DEFINE_EXCEPTION(Name)                                                                                      \
    ClassRecord& Name::Lookup()                                                                                        \
    {                                                                                                                  \
        static ClassRecord& record = DefineRuntimeClass(                                                               \
            #Name, &RuntimeException::Lookup(), [](ClassRecord& r) -> Ref<Object> { return makeRef<Name>(r); });       \
        return record;                                                                                                 \
    }

RT_DEFINE_EXCEPTION(NilObjectException)
RT_DEFINE_EXCEPTION(IOException)
RT_DEFINE_EXCEPTION(EndException)
RT_DEFINE_EXCEPTION(ThreadEndException)
RT_DEFINE_EXCEPTION(UnsupportedOperationException)

#undef RT_DEFINE_EXCEPTION

RaisedException::RaisedException(Ref<RuntimeException> exception)
    : m_exception(std::move(exception))
    , m_what(m_exception->classRecord().name.str() + ": " + m_exception->Message.str())
{
}

void RuntimeRaiseException(RuntimeException& exception)
{
    throw RaisedException(Ref<RuntimeException>(exception));
}

Ref<RuntimeException> CaughtException()
{
    try {
        throw;
    } catch (const RaisedException& raised) {
        return Ref<RuntimeException>(raised.exception());
    } catch (const std::exception& error) {
        return NewException<RuntimeException>(error.what());
    } catch (...) {
        return NewException<RuntimeException>("unknown exception");
    }
}

} // namespace rt
