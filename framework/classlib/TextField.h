#pragma once

#include "FontUnits.h"
#include "RectControl.h"

#include "runtime/Color.h"

namespace cl {

// A one-line text entry.
class TextField final : public RectControl, private platform::NativeTextFieldClient {
public:
    explicit TextField(rt::ClassRecord& record) : RectControl(record) { }

    static rt::ClassRecord& Lookup();
    static void ctblinit();

    rt::String Text() const { return m_text; }
    void setText(const rt::String&);
    FontUnits TextUnit() const { return m_textUnit; }
    void setTextUnit(FontUnits value) { m_textUnit = value; }

    bool Border() const { return m_border; }
    void setBorder(bool value) { m_border = value; }
    bool Password() const { return m_password; }
    void setPassword(bool);
    bool UseFocusRing() const { return m_useFocusRing; }
    void setUseFocusRing(bool value) { m_useFocusRing = value; }
    rt::Color TextColor() const { return m_textColor; }
    void setTextColor(rt::Color value) { m_textColor = value; }
    rt::Color BackColor() const { return m_backColor; }
    void setBackColor(rt::Color value) { m_backColor = value; }
    rt::String Format() const { return m_format; }
    void setFormat(const rt::String& value) { m_format = value; }
    rt::String TextFont() const { return m_textFont; }
    void setTextFont(const rt::String& value) { m_textFont = value; }
    bool Bold() const { return m_bold; }
    void setBold(bool value) { m_bold = value; }
    bool Italic() const { return m_italic; }
    void setItalic(bool value) { m_italic = value; }
    bool Underline() const { return m_underline; }
    void setUnderline(bool value) { m_underline = value; }
    rt::String CueText() const { return m_cueText; }
    void setCueText(const rt::String& value) { m_cueText = value; }
    rt::String Mask() const { return m_mask; }
    void setMask(const rt::String& value) { m_mask = value; }
    bool ReadOnly() const { return m_readOnly; }
    void setReadOnly(bool);
    std::int32_t LimitText() const { return m_limitText; }
    void setLimitText(std::int32_t value) { m_limitText = value; }
    bool AcceptTabs() const { return m_acceptTabs; }
    void setAcceptTabs(bool value) { m_acceptTabs = value; }
    std::int32_t Alignment() const { return m_alignment; }
    void setAlignment(std::int32_t value) { m_alignment = value; }
    rt::String DataSource() const { return m_dataSource; }
    void setDataSource(const rt::String& value) { m_dataSource = value; }
    rt::String DataField() const { return m_dataField; }
    void setDataField(const rt::String& value) { m_dataField = value; }

private:
    std::unique_ptr<platform::NativeControl> createNative(platform::NativeWindow&) override;
    void pushStateToNative() override;
    void nativeTextChanged(std::string_view text) override;

    rt::String m_text;
    FontUnits m_textUnit = FontUnits::Default;
    bool m_border = true;
    bool m_password = false;
    bool m_useFocusRing = true;
    rt::Color m_textColor {};
    rt::Color m_backColor { 0xFF, 0xFF, 0xFF };
    rt::String m_format;
    rt::String m_textFont;
    bool m_bold = false;
    bool m_italic = false;
    bool m_underline = false;
    rt::String m_cueText;
    rt::String m_mask;
    bool m_readOnly = false;
    std::int32_t m_limitText = 0;
    bool m_acceptTabs = false;
    std::int32_t m_alignment = 0;
    rt::String m_dataSource;
    rt::String m_dataField;
};

} // namespace cl
