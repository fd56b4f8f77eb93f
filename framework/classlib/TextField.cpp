#include "TextField.h"

#include "ClassDefinition.h"

namespace cl {

namespace {
rt::ClassRecord* s_ctbl = nullptr;
}

rt::ClassRecord& TextField::Lookup()
{
    return LookupBuilt(s_ctbl, &ctblinit);
}

void TextField::ctblinit()
{
    if (s_ctbl)
        return;
    std::vector<rt::PropertyEntry> properties {
        Property<&TextField::Border, &TextField::setBorder>("Border"),
        Property<&TextField::Password, &TextField::setPassword>("Password"),
        Property<&TextField::UseFocusRing, &TextField::setUseFocusRing>("UseFocusRing"),
        Property<&TextField::TextColor, &TextField::setTextColor>("TextColor"),
        Property<&TextField::BackColor, &TextField::setBackColor>("BackColor"),
        Property<&TextField::Format, &TextField::setFormat>("Format"),
        Property<&TextField::TextFont, &TextField::setTextFont>("TextFont"),
        Property<&TextField::Bold, &TextField::setBold>("Bold"),
        Property<&TextField::Italic, &TextField::setItalic>("Italic"),
        Property<&TextField::Underline, &TextField::setUnderline>("Underline"),
        Property<&TextField::CueText, &TextField::setCueText>("CueText"),
        Property<&TextField::Text, &TextField::setText>("Text"),
        Property<&TextField::Mask, &TextField::setMask>("Mask"),
        Property<&TextField::ReadOnly, &TextField::setReadOnly>("ReadOnly"),
        Property<&TextField::LimitText, &TextField::setLimitText>("LimitText"),
        Property<&TextField::AcceptTabs, &TextField::setAcceptTabs>("AcceptTabs"),
        Property<&TextField::Alignment, &TextField::setAlignment>("Alignment"),
        Property<&TextField::DataSource, &TextField::setDataSource>("DataSource"),
        Property<&TextField::DataField, &TextField::setDataField>("DataField"),
        // An enumeration: no property block can carry it, so it is set by call.
        { rt::RuntimeLockString("TextUnit"), rt::RuntimeLockString("FontUnits"), {}, {} },
    };
    NewLibraryClass(s_ctbl,
        { .name = "TextField",
            .parent = &RectControl::Lookup(),
            .factory = &Make<TextField>,
            .properties = std::move(properties) });
}

void TextField::setText(const rt::String& value)
{
    m_text = value;
    if (auto* field = nativeAs<platform::NativeTextField>())
        field->setText(value.view());
}

void TextField::setPassword(bool value)
{
    m_password = value;
    if (auto* field = nativeAs<platform::NativeTextField>())
        field->setPassword(value);
}

void TextField::setReadOnly(bool value)
{
    m_readOnly = value;
    if (auto* field = nativeAs<platform::NativeTextField>())
        field->setReadOnly(value);
}

std::unique_ptr<platform::NativeControl> TextField::createNative(platform::NativeWindow& window)
{
    return window.createTextField(*this);
}

void TextField::pushStateToNative()
{
    auto* field = nativeAs<platform::NativeTextField>();
    field->setText(m_text.view());
    field->setPassword(m_password);
    field->setReadOnly(m_readOnly);
}

void TextField::nativeTextChanged(std::string_view text)
{
    m_text = rt::String(text);
}

} // namespace cl
