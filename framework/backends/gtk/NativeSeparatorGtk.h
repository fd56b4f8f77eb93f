#pragma once

#include "NativeControlGtk.h"

namespace platform::gtk {

class NativeSeparatorGtk final : public NativeControlGtk<NativeSeparator> {
public:
    explicit NativeSeparatorGtk(GtkLayout* layout);
};

} // namespace platform::gtk
