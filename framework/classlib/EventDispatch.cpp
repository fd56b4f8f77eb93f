#include "EventDispatch.h"

#include "runtime/Runtime.h"

#include <iostream>

namespace cl {

void CallFunctionWithExceptionHandling(const std::function<void()>& function)
{
    try {
        function();
    } catch (const rt::RaisedException& raised) {
        auto& exception = raised.exception();
        if (exception.isA(rt::EndException::Lookup()) || exception.isA(rt::ThreadEndException::Lookup()))
            return;
        rt::RuntimeUnhandledException(exception);
    } catch (const std::exception& error) {
        std::cerr << "Unhandled error: " << error.what() << std::endl;
    }
}

} // namespace cl
