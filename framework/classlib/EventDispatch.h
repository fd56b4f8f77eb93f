#pragma once

#include "runtime/Exceptions.h"
#include "runtime/Object.h"

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
template<class Signature, class... Args>
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

} // namespace cl
