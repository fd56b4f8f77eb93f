#include "BevelButton.h"

#include "ClassDefinition.h"
#include "EventDispatch.h"

#include "PluginEntryNames.h"

#include "runtime/PluginEntrypoints.h"

namespace cl {

namespace {

rt::ClassRecord* s_ctbl = nullptr;

template <class Value>
void SetThroughPlugin(plugin_entry::Name entry, BevelButton& button, Value value)
{
    rt::CallPluginEntrypoint<void (*)(rt::Object&, Value)>(entry, static_cast<rt::Object&>(button), value);
}

template <class Value>
Value GetThroughPlugin(plugin_entry::Name entry, const BevelButton& button)
{
    return rt::CallPluginEntrypoint<Value (*)(rt::Object&)>(
        entry, static_cast<rt::Object&>(const_cast<BevelButton&>(button)));
}

} // namespace

rt::ClassRecord& BevelButton::Lookup()
{
    return LookupBuilt(s_ctbl, &ctblinit);
}

void BevelButton::ctblinit()
{
    if (s_ctbl)
        return;
    std::vector<rt::PropertyEntry> properties {
        Property<&BevelButton::Caption, &BevelButton::setCaption>("Caption"),
        Property<&BevelButton::CaptionAlign, &BevelButton::setCaptionAlign>("CaptionAlign"),
        Property<&BevelButton::CaptionPlacement, &BevelButton::setCaptionPlacement>("CaptionPlacement"),
        Property<&BevelButton::CaptionDelta, &BevelButton::setCaptionDelta>("CaptionDelta"),
        Property<&BevelButton::IconAlign, &BevelButton::setIconAlign>("IconAlign"),
        Property<&BevelButton::IconDX, &BevelButton::setIconDX>("IconDX"),
        Property<&BevelButton::IconDY, &BevelButton::setIconDY>("IconDY"),
        Property<&BevelButton::Bevel, &BevelButton::setBevel>("Bevel"),
        Property<&BevelButton::HasMenu, &BevelButton::setHasMenu>("HasMenu"),
        Property<&BevelButton::HasBackColor, &BevelButton::setHasBackColor>("HasBackColor"),
        Property<&BevelButton::BackColor, &BevelButton::setBackColor>("BackColor"),
        Property<&BevelButton::TextColor, &BevelButton::setTextColor>("TextColor"),
        Property<&BevelButton::Value, &BevelButton::setValue>("Value"),
        Property<&BevelButton::MenuValue, &BevelButton::setMenuValue>("MenuValue"),
        Property<&BevelButton::ButtonType, &BevelButton::setButtonType>("ButtonType"),
        Property<&BevelButton::AcceptFocus, &BevelButton::setAcceptFocus>("AcceptFocus"),
        Property<&BevelButton::TextFont, &BevelButton::setTextFont>("TextFont"),
        Property<&BevelButton::Bold, &BevelButton::setBold>("Bold"),
        Property<&BevelButton::Italic, &BevelButton::setItalic>("Italic"),
        Property<&BevelButton::Underline, &BevelButton::setUnderline>("Underline"),
        // An enumeration: no property block can carry it, so it is set by call.
        { rt::RuntimeLockString("TextUnit"), rt::RuntimeLockString("FontUnits"), {}, {} },
    };
    NewLibraryClass(s_ctbl,
        { .name = "BevelButton",
            .parent = &RectControl::Lookup(),
            .factory = &Make<BevelButton>,
            .properties = std::move(properties),
            .events = { "Action" } });
}

rt::String BevelButton::Caption() const
{
    return GetThroughPlugin<rt::String>(plugin_entry::kBevelButtonCaptionGet, *this);
}

void BevelButton::setCaption(const rt::String& value)
{
    SetThroughPlugin<const rt::String&>(plugin_entry::kBevelButtonCaptionSet, *this, value);
}

void BevelButton::setCaptionAlign(std::int32_t value)
{
    SetThroughPlugin(plugin_entry::kBevelButtonCaptionAlignSet, *this, value);
}

void BevelButton::setCaptionPlacement(std::int32_t value)
{
    SetThroughPlugin(plugin_entry::kBevelButtonCaptionPlacementSet, *this, value);
}

void BevelButton::setCaptionDelta(std::int32_t value)
{
    SetThroughPlugin(plugin_entry::kBevelButtonCaptionDeltaSet, *this, value);
}

void BevelButton::setIconAlign(std::int32_t value)
{
    SetThroughPlugin(plugin_entry::kBevelButtonIconAlignSet, *this, value);
}

void BevelButton::setIconDX(std::int32_t value)
{
    SetThroughPlugin(plugin_entry::kBevelButtonIconDXSet, *this, value);
}

void BevelButton::setIconDY(std::int32_t value)
{
    SetThroughPlugin(plugin_entry::kBevelButtonIconDYSet, *this, value);
}

void BevelButton::setValue(bool value)
{
    SetThroughPlugin(plugin_entry::kBevelButtonValueSet, *this, value);
}

std::int32_t BevelButton::MenuValue() const
{
    return GetThroughPlugin<std::int32_t>(plugin_entry::kBevelButtonMenuValueGet, *this);
}

void BevelButton::setMenuValue(std::int32_t value)
{
    SetThroughPlugin(plugin_entry::kBevelButtonMenuValueSet, *this, value);
}

void BevelButton::setTextFont(const rt::String& value)
{
    SetThroughPlugin<const rt::String&>(plugin_entry::kBevelButtonTextFontSet, *this, value);
}

FontUnits BevelButton::TextUnit() const
{
    return GetThroughPlugin<FontUnits>(plugin_entry::kBevelButtonTextUnitGet, *this);
}

void BevelButton::setTextUnit(FontUnits value)
{
    SetThroughPlugin(plugin_entry::kBevelButtonTextUnitSet, *this, value);
}

std::unique_ptr<platform::NativeControl> BevelButton::createNative(platform::NativeWindow& window)
{
    return window.createButton(*this);
}

void BevelButton::pushStateToNative()
{
    nativeButton()->setCaption(m_plugin.caption.view());
}

void BevelButton::nativeButtonClicked()
{
    RaiseInstanceEvent<void (*)(rt::Object&)>(*this, "Action");
}

} // namespace cl
