#include "ProgramFixture.h"

#include "support/CapturedStderr.h"

#include <algorithm>
#include <tuple>

using ControlsTest = testing_support::StartedProgramTest;

namespace {

// Places as the first "Resized" run finds them; HTMLViewer1 is left out, as Open sizes it to the window.
const std::tuple<const char*, const char*, platform::Rect, bool, const char*> kDesigned[] = {
    { "TextField1", "TextField", { 639, 2, 334, 28 }, false, "" },
    { "HTMLViewer2", "HTMLViewer", { 974, 35, 36, 19 }, false, "" },
    { "Separator1", "Separator", { 0, 33, 221, 3 }, true, "" },
    { "BevelButton1", "BevelButton", { 7, 6, 38, 23 }, true, "Back" },
    { "BevelButton2", "BevelButton", { 90, 6, 77, 23 }, true, "Facebook" },
    { "BevelButton3", "BevelButton", { 330, 6, 137, 23 }, true, "Tidewell Feed" },
    { "BevelButton4", "BevelButton", { 46, 6, 38, 23 }, true, "Forward" },
    { "BevelButton5", "BevelButton", { 595, 7, 38, 23 }, true, "About Marrowind" },
    { "BevelButton6", "BevelButton", { 170, 6, 77, 23 }, true, "Twitter" },
    { "BevelButton7", "BevelButton", { 250, 6, 77, 23 }, true, "YouTube" },
};

TEST_F(ControlsTest, ElevenControlsInCreationOrderWithTheirDesignedProperties)
{
    auto window = mainWindow();
    const auto& controls = window->controls();
    ASSERT_EQ(controls.size(), 11u);
    for (std::size_t i = 0; i < std::size(kDesigned); ++i) {
        const auto& [name, className, rect, visible, helpTag] = kDesigned[i];
        SCOPED_TRACE(name);
        EXPECT_EQ(controls[i].name, name);
        auto& control = dynamic_cast<cl::RectControl&>(*window->controlNamed(name));
        EXPECT_EQ(control.classRecord().name, className);
        EXPECT_EQ(control.Index(), std::numeric_limits<std::int32_t>::min());
        EXPECT_EQ(beforeResizedRuns.front().controls.at(name), rect);
        EXPECT_EQ(control.Visible(), visible);
        EXPECT_EQ(control.HelpTag(), helpTag);
    }
    EXPECT_EQ(controls.back().name, "HTMLViewer1");

    auto& facebook = dynamic_cast<cl::BevelButton&>(*window->controlNamed("BevelButton2"));
    EXPECT_TRUE(facebook.BackColor() == (rt::Color { 0x00, 0x33, 0x66 }) && !facebook.HasBackColor());
    EXPECT_TRUE(facebook.CaptionAlign() == 3 && facebook.TextUnit() == cl::FontUnits::Default);
}

// Both viewers have a handler for each Edit-menu item, reached through the
// window's routing; none takes the item, and none fails when called.
TEST_F(ControlsTest, BothViewersLeaveTheEditMenuItemsUnhandled)
{
    testing_support::CapturedStderr captured;
    for (const std::string item : { "EditClear", "EditCopy", "EditCut", "EditPaste", "EditSelectAll" }) {
        milestones.clear();
        EXPECT_FALSE(cl::Window::HandleMenuCommand(*mainWindow(), rt::String(item))) << item;
        EXPECT_EQ(std::ranges::count(milestones, "menu handler " + item), 2) << item;
    }
    EXPECT_EQ(captured.text(), "");
}

} // namespace
