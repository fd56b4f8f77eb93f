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
    // A subclass's record keeps room for Application's members ahead of its
    // own: 48 member records, 28 of them property accessors (19 getters and 9
    // setters) that take one more place each. This class library describes
    // none of them by member record, so those places stay empty. It counts
    // Application's 19 properties too.
    static constexpr int kInheritedMemberPlaces = 48 + 28;
    static constexpr int kInheritedPropertyCount = 19;

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
