#include "Delegate.h"

#include "Exceptions.h"
#include "Probe.h"
#include "RuntimeClasses.h"

namespace rt {

ClassRecord& Delegate::Lookup()
{
    static ClassRecord& record
        = DefineRuntimeClass("Delegate", nullptr, [](ClassRecord& r) -> Ref<Object> { return makeRef<Delegate>(r); });
    return record;
}

Variant Delegate::Invoke(std::span<const Variant> arguments) const
{
    if (!invoker)
        Raise<NilObjectException>("the delegate has no invoker");
    return invoker(*this, arguments);
}

RefPtr<Delegate> RuntimeCreateDelegate(
    DelegateInvokerFunction invoker, Routine routine, Object* boundObject, const String& signature)
{
    RuntimeProbe("RuntimeCreateDelegate ", signature.view());
    Ref<Object> object = RuntimeNewObject(Delegate::Lookup());
    auto& delegate = static_cast<Delegate&>(object.get());
    delegate.invoker = invoker;
    delegate.routine = routine;
    delegate.boundObject = boundObject;
    delegate.signature = signature;
    return RefPtr<Delegate>(&delegate);
}

} // namespace rt
