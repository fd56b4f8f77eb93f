#include "Plugins.h"

#include "classlib/BevelButton.h"

#include "runtime/Exceptions.h"

// The button plug-in keeps each button's caption and text settings and shows
// the caption on the native button. Row menus, icons and action receivers are
// not offered: nothing here uses them, and their entries stay empty.

namespace plugins {

namespace {

using State = cl::BevelButton::PluginState;

cl::BevelButton& AsButton(rt::Object& object)
{
    auto* button = dynamic_cast<cl::BevelButton*>(&object);
    if (!button)
        rt::Raise<rt::RuntimeException>("the button plug-in was given an object that is not a BevelButton");
    return *button;
}

rt::String CaptionGet(rt::Object& object)
{
    return AsButton(object).pluginState().caption;
}

void CaptionSet(rt::Object& object, const rt::String& caption)
{
    auto& button = AsButton(object);
    button.pluginState().caption = caption;
    if (auto* native = button.nativeButton())
        native->setCaption(caption.view());
}

template <auto Field>
void IntegerSet(rt::Object& object, std::int32_t value)
{
    AsButton(object).pluginState().*Field = value;
}

void ValueSet(rt::Object& object, bool value)
{
    AsButton(object).pluginState().value = value;
}

std::int32_t MenuValueGet(rt::Object& object)
{
    return AsButton(object).pluginState().menuValue;
}

void TextFontSet(rt::Object& object, const rt::String& font)
{
    AsButton(object).pluginState().textFont = font;
}

cl::FontUnits TextUnitGet(rt::Object& object)
{
    return AsButton(object).pluginState().textUnit;
}

void TextUnitSet(rt::Object& object, cl::FontUnits unit)
{
    AsButton(object).pluginState().textUnit = unit;
}

} // namespace

void RegisterBevelButtonPlugin(rt::PluginRegistry& registry)
{
    registry.add(cl::plugin_entry::kBevelButtonCaptionGet, &CaptionGet);
    registry.add(cl::plugin_entry::kBevelButtonCaptionSet, &CaptionSet);
    registry.add(cl::plugin_entry::kBevelButtonCaptionAlignSet, &IntegerSet<&State::captionAlign>);
    registry.add(cl::plugin_entry::kBevelButtonCaptionPlacementSet, &IntegerSet<&State::captionPlacement>);
    registry.add(cl::plugin_entry::kBevelButtonCaptionDeltaSet, &IntegerSet<&State::captionDelta>);
    registry.add(cl::plugin_entry::kBevelButtonIconAlignSet, &IntegerSet<&State::iconAlign>);
    registry.add(cl::plugin_entry::kBevelButtonIconDXSet, &IntegerSet<&State::iconDX>);
    registry.add(cl::plugin_entry::kBevelButtonIconDYSet, &IntegerSet<&State::iconDY>);
    registry.add(cl::plugin_entry::kBevelButtonValueSet, &ValueSet);
    registry.add(cl::plugin_entry::kBevelButtonMenuValueGet, &MenuValueGet);
    registry.add(cl::plugin_entry::kBevelButtonMenuValueSet, &IntegerSet<&State::menuValue>);
    registry.add(cl::plugin_entry::kBevelButtonTextFontSet, &TextFontSet);
    registry.add(cl::plugin_entry::kBevelButtonTextUnitGet, &TextUnitGet);
    registry.add(cl::plugin_entry::kBevelButtonTextUnitSet, &TextUnitSet);
}

} // namespace plugins
