#include "app/PluginEntrypointNames.h"

namespace program {

rt::PluginEntrypointTable* plugin_entrypoints = nullptr;

const std::array<std::string_view, kPluginEntrypointCount> kPluginEntrypointNames = {
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
    "BevelButton.Caption.Get",
    "BevelButton.Caption.Set",
    "BevelButton.CaptionAlign.Set",
    "BevelButton.CaptionPlacement.Set",
    "BevelButton.CaptionDelta.Set",
    "BevelButton.Icon.Set",
    "BevelButton.IconAlign.Set",
    "BevelButton.IconDX.Set",
    "BevelButton.IconDY.Set",
    "BevelButton.Value.Set",
    "BevelButton.MenuValue.Get",
    "BevelButton.MenuValue.Set",
    "BevelButton.TextFont.Set",
    "BevelButton.TextUnit.Get",
    "BevelButton.TextUnit.Set",
    "Placard.Value.Set",
    "DisclosureTriangle.Value.Set",
    "DisclosureTriangle.AcceptFocus.Set",
    "ImageWell.Image.Set",
    "_HTMLViewerPlugin.LoadURL(url as String)",
    "_HTMLViewerPlugin.Cancel()",
    "_HTMLViewerPlugin.LoadPage( file as FolderItem )",
    "_HTMLViewerPlugin.LoadPage( source as String, baseFile as FolderItem )",
    "_HTMLViewerPlugin.IsAvailable() as Boolean",
    "_HTMLViewerPlugin.Print( showPrintDialog As Boolean = True )",
    "_HTMLViewerPlugin._CanGoBack() as Boolean",
    "_HTMLViewerPlugin._CanGoForward() as Boolean",
    "_HTMLViewerPlugin._GoForward()",
    "_HTMLViewerPlugin._GoBack()",
    "HTMLViewer.GoBackExt",
    "HTMLViewer.GoForwardExt",
};

} // namespace program
