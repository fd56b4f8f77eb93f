#pragma once

#include "NativeControlGtk.h"

namespace platform::gtk {

class NativeTextFieldGtk final : public NativeControlGtk<NativeTextField> {
public:
    NativeTextFieldGtk(GtkLayout* layout, NativeTextFieldClient& client);
    ~NativeTextFieldGtk() override;

    void setText(std::string_view text) override;
    void setPassword(bool password) override;
    void setReadOnly(bool readOnly) override;

private:
    static void onChanged(GtkEditable*, gpointer self);

    NativeTextFieldClient& m_client;
    bool m_settingText = false;
};

} // namespace platform::gtk
