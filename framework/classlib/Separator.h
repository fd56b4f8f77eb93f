#pragma once

#include "RectControl.h"

namespace cl {

// A horizontal line.
class Separator final : public RectControl {
public:
    explicit Separator(rt::ClassRecord& record) : RectControl(record) { }

    static rt::ClassRecord& Lookup();
    static void ctblinit();

private:
    std::unique_ptr<platform::NativeControl> createNative(platform::NativeWindow&) override;
};

} // namespace cl
