#pragma once

#include "runtime/Exceptions.h"
#include "runtime/Object.h"
#include "runtime/Probe.h"

#include <functional>
#include <optional>
#include <string_view>

namespace cl {

// Runs an event's handler so that nothing escapes into the toolkit's loop:
// EndException and ThreadEndException end quietly, any other exception is
// offered to the unhandled-exception report and the program goes on.
void CallFunctionWithExceptionHandling(const std::function<void()>& function);

// Raises `eventName` on `object`: calls the handler installed on it with the
// object followed by the arguments. Without a handler (or when the handler
// raised) the result is empty.
template <class Signature, class... Args>
auto RaiseInstanceEvent(rt::Object& object, std::string_view eventName, Args&&... arguments)
{
    using Result = decltype(std::declval<Signature>()(object, std::forward<Args>(arguments)...));
    auto handler = object.eventHandler(eventName).template as<Signature>();
    if constexpr (std::is_void_v<Result>) {
        if (handler)
            CallFunctionWithExceptionHandling([&] { handler(object, std::forward<Args>(arguments)...); });
    } else {
        std::optional<Result> result;
        if (handler)
            CallFunctionWithExceptionHandling([&] { result = handler(object, std::forward<Args>(arguments)...); });
        return result;
    }
}

// Raises one of the events `object`'s class declares, whose handler is given
// the object alone; a class without a handler for it does nothing. Exceptions
// are reported as CallFunctionWithExceptionHandling does, or, when
// `reportExceptions` is false, left to the caller.
template <class Target>
void RaiseClassEvent(Target& object, std::string_view eventName, bool reportExceptions = true)
{
    const auto* entry = object.classRecord().findEvent(eventName);
    if (!entry)
        return;
    auto handler = entry->handler.template as<void (*)(Target&)>();
    if (!handler)
        return;
    rt::RuntimeProbe("event ", eventName);
    if (reportExceptions)
        CallFunctionWithExceptionHandling([&] { handler(object); });
    else
        handler(object);
}

} // namespace cl
