#include "classlib/EventDispatch.h"
#include "classlib/GlobalFunctions.h"

#include "runtime/Conversions.h"
#include "runtime/Exceptions.h"
#include "runtime/Invokers.h"
#include "runtime/Runtime.h"

#include "support/CapturedStderr.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <cmath>
#include <limits>

namespace {

TEST(ConversionTest, DoubleToIntegerIsDefinedForEveryDouble)
{
    constexpr auto kMin = std::numeric_limits<std::int32_t>::min();
    constexpr auto kMax = std::numeric_limits<std::int32_t>::max();
    for (auto [value, converted] : { std::pair { 172.5, 172 }, { -110.9, -110 }, { -0.5, 0 }, { 3e10, kMax },
             { -3e10, kMin }, { std::numeric_limits<double>::infinity(), kMax }, { std::nan(""), 0 },
             { 2147483647.9, kMax }, { -2147483648.9, kMin } })
        EXPECT_EQ(rt::RuntimeCvtReal64ToSInt32(value), converted) << value;
}

TEST(ConversionTest, CDblReadsBackStrAndNumbersAfterBlanksTabsAndLineEndsWhenFinite)
{
    for (std::int32_t value :
        { 0, -40, std::numeric_limits<std::int32_t>::min(), std::numeric_limits<std::int32_t>::max() })
        EXPECT_EQ(rt::RuntimeCvtReal64ToSInt32(cl::CDbl(cl::Str(value))), value) << value;
    EXPECT_EQ(cl::CDbl("\r\n150"), 150);
    EXPECT_EQ(cl::CDbl(" \t\n -40 px"), -40);
    for (const char* none : { "inf", "-inf", "nan", "1e400", "+-5", "\n" })
        EXPECT_EQ(cl::CDbl(none), 0) << none;
}

TEST(RoutineTest, ACallThroughTheWrongSignatureRaisesInsteadOfJumping)
{
    rt::Routine routine(+[](rt::Object&) {});
    EXPECT_TRUE((routine.is<void (*)(rt::Object&)>()));
    EXPECT_THROW((routine.as<bool (*)(rt::Object&)>()), rt::RaisedException);
    EXPECT_EQ((rt::Routine().as<void (*)()>()), nullptr);
}

// What a handler's failure prints, and the exit status of the run it ended in.
std::pair<std::string, int> RunHandler(void (*handler)())
{
    rt::RuntimeInit();
    testing_support::CapturedStderr captured;
    cl::CallFunctionWithExceptionHandling(handler);
    return { captured.text(), rt::RuntimeExit() };
}

// Every failure but an end is reported in one line behind the program's name, whatever was thrown, and fails the run.
TEST(EventDispatchTest, EndExceptionsEndQuietlyAndAnyOtherFailureIsReportedAndFailsTheRun)
{
    using Outcome = std::pair<std::string, int>;
    const std::string program = std::string(program_invocation_short_name) + ": ";
    EXPECT_EQ(RunHandler([] { rt::Raise<rt::EndException>("done"); }), Outcome("", 0));
    EXPECT_EQ(RunHandler([] { rt::Raise<rt::ThreadEndException>("done"); }), Outcome("", 0));
    EXPECT_EQ(RunHandler([] { rt::Raise<rt::IOException>("disk on fire", 5); }),
        Outcome(program + "unhandled IOException: disk on fire\n", 1));
    EXPECT_EQ(RunHandler([] { throw std::runtime_error("the disk is full"); }),
        Outcome(program + "unhandled RuntimeException: the disk is full\n", 1));
    EXPECT_EQ(RunHandler([] { throw 42; }), Outcome(program + "unhandled RuntimeException: unknown exception\n", 1));
}

// An unbound delegate runs the start-up routine, which the start-up tests see.
TEST(DelegateTest, ABoundDelegateCallsItsRoutineWithTheBoundObjectFirst)
{
    auto startup = rt::RuntimeCreateDelegate(
        rt::DelegateInvoke<void (*)()>, +[] {}, nullptr, "(  )");
    ASSERT_TRUE(startup);
    auto bound = rt::RuntimeCreateDelegate(
        rt::BoundDelegateInvoke<bool (*)(rt::Object&, const rt::String&)>,
        +[](rt::Object& self, const rt::String& text) -> bool {
            return self.classRecord().name == "Delegate" && text == "x";
        },
        startup.get(), "( String ) as Boolean");
    rt::Variant argument = rt::String("x");
    EXPECT_EQ(std::get<bool>(bound->Invoke({ &argument, 1 })), true);
    EXPECT_THROW(bound->Invoke({}), rt::RaisedException);
}

} // namespace
