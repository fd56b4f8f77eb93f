#include "Separator.h"

namespace cl {

namespace {
rt::ClassRecord* s_ctbl = nullptr;
}

rt::ClassRecord& Separator::Lookup()
{
    if (!s_ctbl)
        ctblinit();
    return *s_ctbl;
}

void Separator::ctblinit()
{
    if (s_ctbl)
        return;
    auto& record = rt::RuntimeNewClass(&RectControl::Lookup(), 0, 0, 0, 0, 0, 0);
    s_ctbl = &record;
    record.name = rt::RuntimeLockString("Separator");
    record.factory = [](rt::ClassRecord& r) -> rt::Ref<rt::Object> { return rt::makeRef<Separator>(r); };
}

std::unique_ptr<platform::NativeControl> Separator::createNative(platform::NativeWindow& window)
{
    return window.createSeparator();
}

} // namespace cl
