#pragma once

#include "mainwindow/LayoutDistances.h"
#include "mainwindow/PropertyBlock.h"

#include <limits>

namespace mainwindow {

// The designed properties of the main window and its eleven controls, one
// constant block each.

inline constexpr PropertyBlock kWindow1Block {
    Integer("Placement", 0),
    Integer("Width", 78),
    Integer("Height", 64),
    Integer("MinWidth", 64),
    Integer("MinHeight", 64),
    Integer("MaxWidth", 32000),
    Integer("MaxHeight", 32000),
    Integer("Frame", 0),
    Boolean("Composite", true),
    Boolean("HasBackColor", true),
    ColorBytes("BackColor", 0xCC, 0xCC, 0xCC),
    Text("Title", "Quillmere"),
    Boolean("Visible", true),
    Boolean("FullScreen", false),
    Boolean("MenuBarVisible", true),
    Boolean("CloseButton", true),
    Boolean("Resizeable", true),
    Boolean("LiveResize", true),
    Boolean("MaximizeButton", true),
    Boolean("MinimizeButton", true),
    Integer("MacProcID", 0),
};

struct DesignedRect {
    std::int32_t left, top, width, height;
};

// The keys every control's block starts with, in this order: named as
// registered, anchored to the left and top edges only.
constexpr PropertyBlock ControlBlock(std::string_view name, DesignedRect rect)
{
    return PropertyBlock {
        Text("Name", name),
        Integer("Index", std::numeric_limits<std::int32_t>::min()),
        Integer("Left", rect.left),
        Integer("Top", rect.top),
        Integer("Width", rect.width),
        Integer("Height", rect.height),
        Boolean("LockLeft", true),
        Boolean("LockTop", true),
        Boolean("LockRight", false),
        Boolean("LockBottom", false),
        Integer("TabPanelIndex", 0),
    };
}

constexpr PropertyBlock HTMLViewerBlock(std::string_view name, DesignedRect rect, bool visible)
{
    return ControlBlock(name, rect)
        .add({
            Text("InitialParent", ""),
            Integer("TabIndex", 0),
            Boolean("Visible", visible),
            Text("HelpTag", ""),
            Boolean("AutoDeactivate", true),
            Boolean("Enabled", true),
        });
}

constexpr PropertyBlock SeparatorBlock(
    std::string_view name, DesignedRect rect, std::int32_t tabIndex, std::string_view helpTag = "")
{
    return ControlBlock(name, rect)
        .add({
            Integer("TabIndex", tabIndex),
            Boolean("TabStop", true),
            Text("InitialParent", ""),
            Boolean("Visible", true),
            Text("HelpTag", helpTag),
            Boolean("AutoDeactivate", true),
            Boolean("Enabled", true),
        });
}

// A button's block is a separator's, keys and order alike, followed by the
// button's own keys.
struct DesignedButton {
    std::string_view name;
    DesignedRect rect;
    std::int32_t tabIndex;
    std::string_view caption;
    std::string_view helpTag;
    std::array<std::uint8_t, 3> backColor {};
};

constexpr PropertyBlock BevelButtonBlock(const DesignedButton& button)
{
    return SeparatorBlock(button.name, button.rect, button.tabIndex, button.helpTag)
        .add({
            Text("Caption", button.caption),
            Integer("CaptionAlign", 3),
            Integer("CaptionPlacement", 1),
            Integer("CaptionDelta", 0),
            Integer("IconAlign", 0),
            Integer("IconDX", 0),
            Integer("IconDY", 0),
            Integer("Bevel", 0),
            Integer("HasMenu", 0),
            Boolean("HasBackColor", false),
            ColorBytes("BackColor", button.backColor[0], button.backColor[1], button.backColor[2]),
            ColorBytes("TextColor", 0x00, 0x00, 0x00),
            Boolean("Value", false),
            Integer("MenuValue", 0),
            Integer("ButtonType", 0),
            Boolean("AcceptFocus", false),
            Text("TextFont", "System"),
            Boolean("Bold", false),
            Boolean("Italic", false),
            Boolean("Underline", false),
        });
}

// Hidden; holds the prefix of the window-geometry file names.
inline constexpr PropertyBlock kTextField1Block = ControlBlock("TextField1", { 639, 2, 334, 28 })
                                                      .add({
                                                          Integer("TabIndex", 3),
                                                          Boolean("TabStop", true),
                                                          Boolean("Border", true),
                                                          Boolean("Password", false),
                                                          Boolean("UseFocusRing", true),
                                                          ColorBytes("TextColor", 0x00, 0x00, 0x00),
                                                          ColorBytes("BackColor", 0xFF, 0xFF, 0xFF),
                                                          Boolean("Enabled", true),
                                                          Text("Format", ""),
                                                          Boolean("Visible", false),
                                                          Text("HelpTag", ""),
                                                          Boolean("AutoDeactivate", true),
                                                          Text("TextFont", "System"),
                                                          Boolean("Bold", false),
                                                          Boolean("Italic", false),
                                                          Boolean("Underline", false),
                                                          Text("CueText", ""),
                                                          Text("Text", ""),
                                                          Text("Mask", ""),
                                                          Boolean("ReadOnly", false),
                                                          Integer("LimitText", 0),
                                                          Boolean("AcceptTabs", false),
                                                          Integer("Alignment", 0),
                                                          Text("DataSource", ""),
                                                          Text("DataField", ""),
                                                          Text("InitialParent", ""),
                                                      });

// Hidden; only ever asked to load pages that ask for a new window.
inline constexpr PropertyBlock kHTMLViewer2Block = HTMLViewerBlock("HTMLViewer2", { 974, 35, 36, 19 }, false);
inline constexpr PropertyBlock kSeparator1Block = SeparatorBlock("Separator1", { 0, 33, 221, 3 }, 16);
inline constexpr PropertyBlock kBevelButton1Block
    = BevelButtonBlock({ "BevelButton1", { 7, 6, 38, 23 }, 19, "<", "Back" });
inline constexpr PropertyBlock kBevelButton2Block
    = BevelButtonBlock({ "BevelButton2", { 90, 6, 77, 23 }, 20, "Facebook", "Facebook", { 0x00, 0x33, 0x66 } });
inline constexpr PropertyBlock kBevelButton3Block
    = BevelButtonBlock({ "BevelButton3", { 330, 6, 137, 23 }, 21, "Tidewell", "Tidewell Feed" });
inline constexpr PropertyBlock kBevelButton4Block
    = BevelButtonBlock({ "BevelButton4", { 46, 6, 38, 23 }, 22, ">", "Forward" });
inline constexpr PropertyBlock kBevelButton5Block
    = BevelButtonBlock({ "BevelButton5", { 595, 7, 38, 23 }, 23, "?", "About Marrowind" });
inline constexpr PropertyBlock kBevelButton6Block
    = BevelButtonBlock({ "BevelButton6", { 170, 6, 77, 23 }, 24, "Twitter", "Twitter" });
inline constexpr PropertyBlock kBevelButton7Block
    = BevelButtonBlock({ "BevelButton7", { 250, 6, 77, 23 }, 25, "YouTube", "YouTube" });
// The page view.
inline constexpr PropertyBlock kHTMLViewer1Block
    = HTMLViewerBlock("HTMLViewer1", { 0, kToolbarHeight, 789, 560 }, true);

static_assert(kHTMLViewer1Block.size() == 205);
static_assert(kTextField1Block.size() == 435);
static_assert(kSeparator1Block.size() == 213);

} // namespace mainwindow
