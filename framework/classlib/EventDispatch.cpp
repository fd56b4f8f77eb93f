#include "EventDispatch.h"

#include "runtime/Runtime.h"

namespace cl {

void CallFunctionWithExceptionHandling(const std::function<void()>& function)
{
    try {
        function();
    } catch (...) {
        // A toolkit's or the library's own failure, or anything thrown that
        // has no name at all, is reported as the runtime's exceptions are,
        // and counts against the exit status too.
        rt::Ref<rt::RuntimeException> exception = rt::CaughtException();
        if (exception->isA(rt::EndException::Lookup()) || exception->isA(rt::ThreadEndException::Lookup()))
            return;
        rt::RuntimeUnhandledException(exception);
    }
}

} // namespace cl
