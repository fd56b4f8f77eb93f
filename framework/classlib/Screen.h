#pragma once

#include "runtime/ClassRecord.h"
#include "runtime/Object.h"

namespace cl {

// One screen's full rectangle, as the platform reported it when asked.
class ScreenInfo final : public rt::Object {
public:
    ScreenInfo(rt::ClassRecord& record, std::int32_t left, std::int32_t top, std::int32_t width, std::int32_t height)
        : rt::Object(record)
        , m_left(left)
        , m_top(top)
        , m_width(width)
        , m_height(height)
    {
    }

    static rt::ClassRecord& Lookup();

    std::int32_t Left() const { return m_left; }
    std::int32_t Top() const { return m_top; }
    std::int32_t Width() const { return m_width; }
    std::int32_t Height() const { return m_height; }

private:
    std::int32_t m_left, m_top, m_width, m_height;
};

// The screen of that index (0 is the first), or nil when there is none.
rt::RefPtr<ScreenInfo> Screen(std::int32_t index);
std::int32_t ScreenCount();

} // namespace cl
