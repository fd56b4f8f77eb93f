#pragma once

#include "NativeControlGtk.h"

namespace platform::gtk {

class NativeButtonGtk final : public NativeControlGtk<NativeButton> {
public:
    NativeButtonGtk(GtkLayout* layout, NativeButtonClient& client);
    ~NativeButtonGtk() override;

    void setCaption(std::string_view caption) override;

private:
    static void onClicked(GtkButton*, gpointer self);

    NativeButtonClient& m_client;
};

} // namespace platform::gtk
