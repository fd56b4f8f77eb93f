#include "ProgramFixture.h"

#include "mainwindow/DesignedProperties.h"

#include "runtime/MassPropertySetter.h"

namespace {

using namespace mainwindow;

std::string Bytes(std::initializer_list<unsigned char> values)
{
    return { values.begin(), values.end() };
}

TEST(PropertyBlockTest, EncodesEachTypeAsTheReaderExpects)
{
    EXPECT_EQ(PropertyBlock { Integer("Width", 78) }.bytes(), Bytes({ 'W', 'i', 'd', 't', 'h', ' ', 0, 0, 0, 0x4E }));
    EXPECT_EQ(PropertyBlock { Integer("Width", 70000) }.bytes().substr(6), Bytes({ 0, 0x01, 0x11, 0x70 }));
    EXPECT_EQ(PropertyBlock { Boolean("Visible", false) }.bytes(), "Visible " + Bytes({ 0 }));
    EXPECT_EQ(PropertyBlock { Text("HelpTag", "Tidewell Feed") }.bytes(),
        "HelpTag " + Bytes({ 0, 0, 0, 13 }) + "Tidewell Feed");
    EXPECT_EQ(kWindow1Block.bytes().substr(0, 14), "Placement " + Bytes({ 0, 0, 0, 0 }));
}

// Every start-up reads each designed block to its exact end, so a reader off by a byte raises there.
using MassPropertySetterTest = testing_support::StartedProgramTest;

// Keys match whatever their letter case; strings arrive whole, integers most significant byte first.
TEST_F(MassPropertySetterTest, ValuesReachTheirPropertiesWhateverTheKeysLetterCase)
{
    auto window = mainWindow();
    rt::RuntimeMassPropertySetter(*window, PropertyBlock { Integer("MacProcID", 7) }.bytes());
    EXPECT_EQ(window->MacProcId(), 7);

    auto& button = dynamic_cast<cl::BevelButton&>(*window->controlNamed("BevelButton3"));
    rt::RuntimeMassPropertySetter(button,
        std::string(PropertyBlock { Text("HelpTag", "a b  c"), Boolean("Visible", false) }.bytes()) + "Top "
            + Bytes({ 0, 0x01, 0x11, 0x70 }) + "Left " + Bytes({ 0x12, 0x34, 0x56, 0x78 }) + "Width "
            + Bytes({ 0xFF, 0xFF, 0xFF, 0xFE }));
    EXPECT_EQ(button.HelpTag(), "a b  c");
    EXPECT_FALSE(button.Visible());
    EXPECT_EQ(button.Top(), 70000);
    EXPECT_EQ(button.Left(), 0x12345678);
    EXPECT_EQ(button.Width(), -2);
}

TEST_F(MassPropertySetterTest, AFaultyBlockRaisesAndKeepsWhatWasSetBeforeTheFault)
{
    const std::string good = std::string(PropertyBlock { Integer("Left", 5) }.bytes());
    const std::pair<const char*, std::string> cases[] = {
        { "Separator1", good + "NoSuchKey " + Bytes({ 0, 0, 0, 1 }) },
        { "Separator1", good + "Width " + Bytes({ 0, 0 }) },
        { "Separator1", good + "HelpTag " + Bytes({ 0, 0, 0, 9 }) + "short" }, { "Separator1", good + "Width" },
        { "BevelButton3", good + "TextUnit " + Bytes({ 0, 0, 0, 0 }) }, // it has no setter
    };
    for (const auto& [name, block] : cases) {
        auto& control = dynamic_cast<cl::RectControl&>(*mainWindow()->controlNamed(name));
        control.setLeft(0);
        EXPECT_THROW(rt::RuntimeMassPropertySetter(control, block), rt::RaisedException) << name;
        EXPECT_EQ(control.Left(), 5) << name;
    }
}

} // namespace
