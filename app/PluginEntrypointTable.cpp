#include "app/PluginEntrypointTable.h"

#include "classlib/PluginEntryNames.h"

#include <algorithm>

namespace program {

rt::PluginEntrypointTable* plugin_entrypoints = nullptr;

using namespace cl::plugin_entry;

// The names nobody in this program provides stay in the table: their entries
// are null, and a call through one raises an exception naming it.
constexpr std::array<std::string_view, kPluginEntrypointCount> kPluginEntrypointNames
    = std::to_array<std::string_view>({
        "_",
        "BevelButton.DeleteAllRows",
        "BevelButton.AddRow(text As String)",
        "BevelButton.AddSeparator",
        "BevelButton.RemoveRow(row As Integer)",
        "BevelButton.InsertRow(row As Integer, text As String)",
        "BevelButton.List(row As Integer) As String",
        "BevelButton.addActionNotificationReceiver(receiver As actionNotificationReceiver)",
        "BevelButton.removeActionNotificationReceiver(receiver As actionNotificationReceiver)",
        "BevelButton.List(row As Integer) As String.Set",
        kBevelButtonCaptionGet,
        kBevelButtonCaptionSet,
        kBevelButtonCaptionAlignSet,
        kBevelButtonCaptionPlacementSet,
        kBevelButtonCaptionDeltaSet,
        "BevelButton.Icon.Set",
        kBevelButtonIconAlignSet,
        kBevelButtonIconDXSet,
        kBevelButtonIconDYSet,
        kBevelButtonValueSet,
        kBevelButtonMenuValueGet,
        kBevelButtonMenuValueSet,
        kBevelButtonTextFontSet,
        kBevelButtonTextUnitGet,
        kBevelButtonTextUnitSet,
        "Placard.Value.Set",
        "DisclosureTriangle.Value.Set",
        "DisclosureTriangle.AcceptFocus.Set",
        "ImageWell.Image.Set",
        kHTMLEngineLoadURL,
        kHTMLEngineCancel,
        kHTMLEngineLoadPageFromFile,
        kHTMLEngineLoadPageFromSource,
        kHTMLEngineIsAvailable,
        kHTMLEnginePrint,
        kHTMLEngineCanGoBack,
        kHTMLEngineCanGoForward,
        kHTMLEngineGoForward,
        kHTMLEngineGoBack,
        kHistoryGoBackExt,
        kHistoryGoForwardExt,
    });

// Every name the class library calls through is in the table, or the program
// does not compile.
static_assert(std::ranges::all_of(kCalledByClassLibrary, [](std::string_view name) {
    return std::ranges::find(kPluginEntrypointNames, name) != kPluginEntrypointNames.end();
}));

} // namespace program
