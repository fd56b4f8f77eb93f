#include "Screen.h"

#include "runtime/Runtime.h"
#include "runtime/RuntimeClasses.h"

#include "platform/Platform.h"

namespace cl {

rt::ClassRecord& ScreenInfo::Lookup()
{
    static rt::ClassRecord& record = rt::DefineRuntimeClass("Screen", nullptr, nullptr);
    return record;
}

rt::RefPtr<ScreenInfo> Screen(std::int32_t index)
{
    const auto screens = rt::RuntimePlatform().screens();
    if (index < 0 || static_cast<std::size_t>(index) >= screens.size())
        return nullptr;
    const auto& rect = screens[static_cast<std::size_t>(index)];
    return rt::makeRef<ScreenInfo>(ScreenInfo::Lookup(), rect.left, rect.top, rect.width, rect.height);
}

std::int32_t ScreenCount()
{
    return static_cast<std::int32_t>(rt::RuntimePlatform().screens().size());
}

} // namespace cl
