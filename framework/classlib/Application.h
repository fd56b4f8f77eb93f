#pragma once

#include "MenuHandlers.h"

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

    // The application's operations, as its class's operation table holds them.
    static void DoEvents(Application&, std::int32_t milliseconds);
    static void AddMenuHandler(Application&, const rt::String& itemName, rt::Routine);
    static void YieldToNextThread(Application&);
    static void SleepCurrentThread(Application&, std::int32_t milliseconds);
    static void DoSingleEvent(Application&, bool wait);
    static void EnableMenuItems(Application&, rt::Object* menuItems);
    static void CallOpen(Application&);
    static bool HandleMenuCommand(Application&, const rt::String& itemName);

private:
    MenuHandlers m_menuHandlers;
};

} // namespace cl
