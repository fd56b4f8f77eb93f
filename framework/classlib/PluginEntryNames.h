#pragma once

#include <algorithm>
#include <array>
#include <string_view>

// The plug-in entry points the class library calls through, each under its
// exact name (blanks and letter case count). The plug-ins register under these
// names and the program's table looks them up by them, so a name is written
// here and nowhere else.
namespace cl::plugin_entry {

// The button plug-in: a button's caption and text settings.
inline constexpr std::string_view kBevelButtonCaptionGet = "BevelButton.Caption.Get";
inline constexpr std::string_view kBevelButtonCaptionSet = "BevelButton.Caption.Set";
inline constexpr std::string_view kBevelButtonCaptionAlignSet = "BevelButton.CaptionAlign.Set";
inline constexpr std::string_view kBevelButtonCaptionPlacementSet = "BevelButton.CaptionPlacement.Set";
inline constexpr std::string_view kBevelButtonCaptionDeltaSet = "BevelButton.CaptionDelta.Set";
inline constexpr std::string_view kBevelButtonIconAlignSet = "BevelButton.IconAlign.Set";
inline constexpr std::string_view kBevelButtonIconDXSet = "BevelButton.IconDX.Set";
inline constexpr std::string_view kBevelButtonIconDYSet = "BevelButton.IconDY.Set";
inline constexpr std::string_view kBevelButtonValueSet = "BevelButton.Value.Set";
inline constexpr std::string_view kBevelButtonMenuValueGet = "BevelButton.MenuValue.Get";
inline constexpr std::string_view kBevelButtonMenuValueSet = "BevelButton.MenuValue.Set";
inline constexpr std::string_view kBevelButtonTextFontSet = "BevelButton.TextFont.Set";
inline constexpr std::string_view kBevelButtonTextUnitGet = "BevelButton.TextUnit.Get";
inline constexpr std::string_view kBevelButtonTextUnitSet = "BevelButton.TextUnit.Set";

// The HTML engine.
inline constexpr std::string_view kHTMLEngineLoadURL = "_HTMLViewerPlugin.LoadURL(url as String)";
inline constexpr std::string_view kHTMLEngineCancel = "_HTMLViewerPlugin.Cancel()";
inline constexpr std::string_view kHTMLEngineLoadPageFromFile = "_HTMLViewerPlugin.LoadPage( file as FolderItem )";
inline constexpr std::string_view kHTMLEngineLoadPageFromSource
    = "_HTMLViewerPlugin.LoadPage( source as String, baseFile as FolderItem )";
inline constexpr std::string_view kHTMLEngineIsAvailable = "_HTMLViewerPlugin.IsAvailable() as Boolean";
inline constexpr std::string_view kHTMLEnginePrint = "_HTMLViewerPlugin.Print( showPrintDialog As Boolean = True )";
inline constexpr std::string_view kHTMLEngineCanGoBack = "_HTMLViewerPlugin._CanGoBack() as Boolean";
inline constexpr std::string_view kHTMLEngineCanGoForward = "_HTMLViewerPlugin._CanGoForward() as Boolean";
inline constexpr std::string_view kHTMLEngineGoForward = "_HTMLViewerPlugin._GoForward()";
inline constexpr std::string_view kHTMLEngineGoBack = "_HTMLViewerPlugin._GoBack()";

// The history extension.
inline constexpr std::string_view kHistoryGoBackExt = "HTMLViewer.GoBackExt";
inline constexpr std::string_view kHistoryGoForwardExt = "HTMLViewer.GoForwardExt";

// Every name above. The program checks, when it is compiled, that its table
// holds each of them.
inline constexpr std::array kCalledByClassLibrary = { kBevelButtonCaptionGet, kBevelButtonCaptionSet,
    kBevelButtonCaptionAlignSet, kBevelButtonCaptionPlacementSet, kBevelButtonCaptionDeltaSet, kBevelButtonIconAlignSet,
    kBevelButtonIconDXSet, kBevelButtonIconDYSet, kBevelButtonValueSet, kBevelButtonMenuValueGet,
    kBevelButtonMenuValueSet, kBevelButtonTextFontSet, kBevelButtonTextUnitGet, kBevelButtonTextUnitSet,
    kHTMLEngineLoadURL, kHTMLEngineCancel, kHTMLEngineLoadPageFromFile, kHTMLEngineLoadPageFromSource,
    kHTMLEngineIsAvailable, kHTMLEnginePrint, kHTMLEngineCanGoBack, kHTMLEngineCanGoForward, kHTMLEngineGoForward,
    kHTMLEngineGoBack, kHistoryGoBackExt, kHistoryGoForwardExt };

// The name a call stub is given: only a name listed above is accepted, so a
// stub cannot call a name the program's check did not see.
class Name {
public:
    consteval Name(std::string_view name) : m_name(name)
    {
        if (std::ranges::find(kCalledByClassLibrary, name) == kCalledByClassLibrary.end())
            throw "a plug-in entry point the class library calls must be listed in kCalledByClassLibrary";
    }
    constexpr operator std::string_view() const { return m_name; }

private:
    std::string_view m_name;
};

} // namespace cl::plugin_entry
