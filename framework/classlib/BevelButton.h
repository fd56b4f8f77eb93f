#pragma once

#include "FontUnits.h"
#include "RectControl.h"

#include "runtime/Color.h"

namespace cl {

// A push button from the button plug-in: its caption and text settings are
// reached through the plug-in's entry points; clicking it raises "Action".
class BevelButton final : public RectControl, private platform::NativeButtonClient {
public:
    explicit BevelButton(rt::ClassRecord& record) : RectControl(record) { }

    static rt::ClassRecord& Lookup();
    static void ctblinit();

    // Through the plug-in.
    rt::String Caption() const;
    void setCaption(const rt::String&);
    void setCaptionAlign(std::int32_t);
    void setCaptionPlacement(std::int32_t);
    void setCaptionDelta(std::int32_t);
    void setIconAlign(std::int32_t);
    void setIconDX(std::int32_t);
    void setIconDY(std::int32_t);
    void setValue(bool);
    std::int32_t MenuValue() const;
    void setMenuValue(std::int32_t);
    void setTextFont(const rt::String&);
    FontUnits TextUnit() const;
    void setTextUnit(FontUnits);

    // Kept by the button itself.
    std::int32_t Bevel() const { return m_bevel; }
    void setBevel(std::int32_t value) { m_bevel = value; }
    std::int32_t HasMenu() const { return m_hasMenu; }
    void setHasMenu(std::int32_t value) { m_hasMenu = value; }
    bool HasBackColor() const { return m_hasBackColor; }
    void setHasBackColor(bool value) { m_hasBackColor = value; }
    rt::Color BackColor() const { return m_backColor; }
    void setBackColor(rt::Color value) { m_backColor = value; }
    rt::Color TextColor() const { return m_textColor; }
    void setTextColor(rt::Color value) { m_textColor = value; }
    std::int32_t ButtonType() const { return m_buttonType; }
    void setButtonType(std::int32_t value) { m_buttonType = value; }
    bool AcceptFocus() const { return m_acceptFocus; }
    void setAcceptFocus(bool value) { m_acceptFocus = value; }
    bool Bold() const { return m_bold; }
    void setBold(bool value) { m_bold = value; }
    bool Italic() const { return m_italic; }
    void setItalic(bool value) { m_italic = value; }
    bool Underline() const { return m_underline; }
    void setUnderline(bool value) { m_underline = value; }

    // What the plug-in keeps for each button.
    struct PluginState {
        rt::String caption;
        std::int32_t captionAlign = 0;
        std::int32_t captionPlacement = 0;
        std::int32_t captionDelta = 0;
        std::int32_t iconAlign = 0;
        std::int32_t iconDX = 0;
        std::int32_t iconDY = 0;
        bool value = false;
        std::int32_t menuValue = 0;
        rt::String textFont;
        FontUnits textUnit = FontUnits::Default;
    };
    PluginState& pluginState() { return m_plugin; }
    platform::NativeButton* nativeButton() const { return nativeAs<platform::NativeButton>(); }

    // Getters for the settings the plug-in only lets one write.
    std::int32_t CaptionAlign() const { return m_plugin.captionAlign; }
    std::int32_t CaptionPlacement() const { return m_plugin.captionPlacement; }
    std::int32_t CaptionDelta() const { return m_plugin.captionDelta; }
    std::int32_t IconAlign() const { return m_plugin.iconAlign; }
    std::int32_t IconDX() const { return m_plugin.iconDX; }
    std::int32_t IconDY() const { return m_plugin.iconDY; }
    bool Value() const { return m_plugin.value; }
    rt::String TextFont() const { return m_plugin.textFont; }

private:
    std::unique_ptr<platform::NativeControl> createNative(platform::NativeWindow&) override;
    void pushStateToNative() override;
    void nativeButtonClicked() override;

    PluginState m_plugin;
    std::int32_t m_bevel = 0;
    std::int32_t m_hasMenu = 0;
    bool m_hasBackColor = false;
    rt::Color m_backColor {};
    rt::Color m_textColor {};
    std::int32_t m_buttonType = 0;
    bool m_acceptFocus = false;
    bool m_bold = false;
    bool m_italic = false;
    bool m_underline = false;
};

} // namespace cl
