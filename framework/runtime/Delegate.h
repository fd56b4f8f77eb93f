#pragma once

#include "ClassRecord.h"
#include "Object.h"
#include "Routine.h"
#include "String.h"
#include "Variant.h"

#include <span>

namespace rt {

class Delegate;

// Calls a delegate's routine with its bound object (when it has one) followed
// by the call's arguments. One invoker per signature.
using DelegateInvokerFunction = Variant (*)(const Delegate&, std::span<const Variant> arguments);

class Delegate final : public Object {
public:
    explicit Delegate(ClassRecord& record) : Object(record) { }
    static ClassRecord& Lookup();

    DelegateInvokerFunction invoker = nullptr;
    Routine routine;
    RefPtr<Object> boundObject;
    String signature;

    Variant Invoke(std::span<const Variant> arguments) const;
};

RefPtr<Delegate> RuntimeCreateDelegate(DelegateInvokerFunction, Routine, Object* boundObject, const String& signature);

} // namespace rt
