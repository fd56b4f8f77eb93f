#include "Separator.h"

#include "ClassDefinition.h"

namespace cl {

namespace {
rt::ClassRecord* s_ctbl = nullptr;
}

rt::ClassRecord& Separator::Lookup()
{
    return LookupBuilt(s_ctbl, &ctblinit);
}

void Separator::ctblinit()
{
    if (!s_ctbl)
        NewLibraryClass(s_ctbl, { .name = "Separator", .parent = &RectControl::Lookup(), .factory = &Make<Separator> });
}

std::unique_ptr<platform::NativeControl> Separator::createNative(platform::NativeWindow& window)
{
    return window.createSeparator();
}

} // namespace cl
