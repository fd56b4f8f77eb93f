#include "ProgramFixture.h"

#include "mainwindow/DesignedProperties.h"

#include "classlib/Separator.h"
#include "classlib/TextField.h"
#include "runtime/MassPropertySetter.h"

using testing_support::ProgramTest;

namespace {

std::string Bytes(std::initializer_list<int> values)
{
    std::string bytes;
    for (int value : values)
        bytes += static_cast<char>(value);
    return bytes;
}

TEST(PropertyBlockTest, EncodesEachTypeAsTheReaderExpects)
{
    using namespace mainwindow;
    EXPECT_EQ(PropertyBlock { Integer("Width", 78) }.bytes(), Bytes({ 'W', 'i', 'd', 't', 'h', ' ', 0, 0, 0, 0x4E }));
    EXPECT_EQ(PropertyBlock { Integer("Width", 70000) }.bytes().substr(6), Bytes({ 0, 0x01, 0x11, 0x70 }));
    EXPECT_EQ(PropertyBlock { Integer("Index", std::numeric_limits<std::int32_t>::min()) }.bytes().substr(6),
        Bytes({ 0x80, 0, 0, 0 }));
    EXPECT_EQ(PropertyBlock { Text("HelpTag", "") }.bytes(), "HelpTag " + Bytes({ 0, 0, 0, 0 }));
    EXPECT_EQ(PropertyBlock { Boolean("Visible", false) }.bytes(), "Visible " + Bytes({ 0 }));
    EXPECT_EQ(PropertyBlock { Text("HelpTag", "Tidewell Feed") }.bytes(), "HelpTag " + Bytes({ 0, 0, 0, 13 }) + "Tidewell Feed");
    EXPECT_EQ(kWindow1Block.bytes().substr(0, 14), "Placement " + Bytes({ 0, 0, 0, 0 }));
    EXPECT_EQ(kHTMLViewer1Block.size(), 205u);
    EXPECT_EQ(kTextField1Block.size(), 435u);
    EXPECT_EQ(kSeparator1Block.size(), 213u);
}

class MassPropertySetterTest : public ProgramTest {
protected:
    void SetUp() override
    {
        ProgramTest::SetUp();
        startProgram();
    }
    template<class T>
    T& control(const char* name) { return dynamic_cast<T&>(*mainWindow()->controlNamed(name)); }
};

TEST_F(MassPropertySetterTest, ReadsEveryBlockToItsExactEnd)
{
    // Each block applies cleanly to a control of its class; a block that read
    // one byte too many or too few would raise.
    const std::pair<const char*, const mainwindow::PropertyBlock*> blocks[] = {
        { "TextField1", &mainwindow::kTextField1Block }, { "HTMLViewer2", &mainwindow::kHTMLViewer2Block },
        { "Separator1", &mainwindow::kSeparator1Block }, { "BevelButton1", &mainwindow::kBevelButton1Block },
        { "BevelButton2", &mainwindow::kBevelButton2Block }, { "BevelButton3", &mainwindow::kBevelButton3Block },
        { "BevelButton4", &mainwindow::kBevelButton4Block }, { "BevelButton5", &mainwindow::kBevelButton5Block },
        { "BevelButton6", &mainwindow::kBevelButton6Block }, { "BevelButton7", &mainwindow::kBevelButton7Block },
        { "HTMLViewer1", &mainwindow::kHTMLViewer1Block },
    };
    for (auto [name, block] : blocks)
        EXPECT_NO_THROW(rt::RuntimeMassPropertySetter(*mainWindow()->controlNamed(name), block->bytes())) << name;
    EXPECT_NO_THROW(rt::RuntimeMassPropertySetter(*mainWindow(), mainwindow::kWindow1Block.bytes()));
}

TEST_F(MassPropertySetterTest, KeysReachPropertiesWhateverTheirLetterCase)
{
    auto window = mainWindow();
    rt::RuntimeMassPropertySetter(*window, mainwindow::PropertyBlock { mainwindow::Integer("MacProcID", 7) }.bytes());
    EXPECT_EQ(window->MacProcId(), 7);
}

TEST_F(MassPropertySetterTest, StringValuesKeepTheirBlanksAndZeroBytesEndNothing)
{
    auto& button = control<cl::BevelButton>("BevelButton3");
    rt::RuntimeMassPropertySetter(button,
        mainwindow::PropertyBlock { mainwindow::Text("HelpTag", "a b  c"), mainwindow::Integer("Left", 0),
            mainwindow::Boolean("Visible", false), mainwindow::Integer("Top", 256) }
            .bytes());
    EXPECT_EQ(button.HelpTag(), "a b  c");
    EXPECT_EQ(button.Left(), 0);
    EXPECT_FALSE(button.Visible());
    EXPECT_EQ(button.Top(), 256);

    // Integers are read most significant byte first, every byte of them.
    rt::RuntimeMassPropertySetter(button, "Top " + Bytes({ 0, 0x01, 0x11, 0x70 }) + "Left " + Bytes({ 0x12, 0x34, 0x56, 0x78 })
            + "Width " + Bytes({ 0xFF, 0xFF, 0xFF, 0xFE }));
    EXPECT_EQ(button.Top(), 70000);
    EXPECT_EQ(button.Left(), 0x12345678);
    EXPECT_EQ(button.Width(), -2);
}

TEST_F(MassPropertySetterTest, AFaultyBlockRaisesAndKeepsWhatWasSetBeforeTheFault)
{
    auto& separator = control<cl::Separator>("Separator1");
    const std::string good = std::string(mainwindow::PropertyBlock { mainwindow::Integer("Left", 5) }.bytes());
    const std::string cases[] = {
        good + "NoSuchKey " + Bytes({ 0, 0, 0, 1 }),
        good + "Width " + Bytes({ 0, 0 }),
        good + "HelpTag " + Bytes({ 0, 0, 0, 9 }) + "short",
        good + "Width",
        good + "TextUnit " + Bytes({ 0, 0, 0, 0 }),
    };
    for (const auto& block : cases) {
        separator.setLeft(0);
        EXPECT_THROW(rt::RuntimeMassPropertySetter(separator, block), rt::RaisedException);
        EXPECT_EQ(separator.Left(), 5);
    }
}

} // namespace
