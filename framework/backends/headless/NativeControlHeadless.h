#pragma once

#include "platform/NativeControl.h"

#include <string>

namespace platform::headless {

// What every headless control remembers of what it was told.
template <class Interface>
class NativeControlHeadless : public Interface {
public:
    void setGeometry(platform::Rect rect) override { geometry = rect; }
    void setVisible(bool value) override { visible = value; }
    void setEnabled(bool value) override { enabled = value; }
    void setTooltip(std::string_view text) override { tooltip = text; }

    platform::Rect geometry;
    bool visible = true;
    bool enabled = true;
    std::string tooltip;
};

class NativeButtonHeadless final : public NativeControlHeadless<platform::NativeButton> {
public:
    explicit NativeButtonHeadless(platform::NativeButtonClient& client) : m_client(client) { }
    void setCaption(std::string_view text) override { caption = text; }

    // A user's click.
    void click() { m_client.nativeButtonClicked(); }

    std::string caption;

private:
    platform::NativeButtonClient& m_client;
};

class NativeSeparatorHeadless final : public NativeControlHeadless<platform::NativeSeparator> { };

class NativeTextFieldHeadless final : public NativeControlHeadless<platform::NativeTextField> {
public:
    // Nobody types into it: the program's only text field is hidden.
    explicit NativeTextFieldHeadless(platform::NativeTextFieldClient&) { }
    void setText(std::string_view value) override { text = value; }
    void setPassword(bool value) override { password = value; }
    void setReadOnly(bool value) override { readOnly = value; }

    std::string text;
    bool password = false;
    bool readOnly = false;
};

} // namespace platform::headless
