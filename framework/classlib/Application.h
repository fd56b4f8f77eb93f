#pragma once

#include "runtime/ClassRecord.h"
#include "runtime/Object.h"

namespace cl {

// The framework's application class. The program's application object is an
// instance of a subclass of it, registered with the runtime at start-up.
class Application : public rt::Object {
public:
    explicit Application(rt::ClassRecord& record) : rt::Object(record) { }

    static rt::ClassRecord& Lookup();
    static void ctblinit();

    static constexpr int kOperationCount = 17;
    static constexpr int kEventCount = 10;
};

} // namespace cl
