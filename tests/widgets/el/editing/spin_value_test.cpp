// The float spin edit's number rules: the text shown for a value reads back as that value in
// the locale's form, and steps stay within the limits.
#include "widgets/el/editing/ElFloatSpinEditValue.h"

#include "framework/FormatSettings.h"
#include "framework/NumberText.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace {

TEST(FloatSpinValue, TextShowsTheDigitsAndReadsBackInTheLocalesForm)
{
    EXPECT_EQ(FloatSpinText(4.6, 2), u"4.60");
    EXPECT_EQ(FloatSpinText(1.25, 0), u"1");
    EXPECT_EQ(FloatSpinText(-0.004, 2), u"0.00");
    EXPECT_EQ(FloatSpinText(99999.0, 2), u"99999.00");  // no thousands separator to trip the reader
    EXPECT_EQ(FloatSpinText(0.1, 40), u"0.100000000000000");  // at most 15 decimals

    const TFormatSettings saved = FormatSettings();
    FormatSettings().DecimalSeparator = u',';
    FormatSettings().ThousandSeparator = u'.';
    const std::u16string text = FloatSpinText(12345.678, 2);
    EXPECT_EQ(text, u"12345,68");
    EXPECT_DOUBLE_EQ(StrToFloat(text), 12345.68);
    FormatSettings() = saved;
}

TEST(FloatSpinValue, StepsStayWithinTheLimitsUnlessThereAreNone)
{
    EXPECT_DOUBLE_EQ(StepFloatValue(4.6, 0.1, 0.0, 99999.0), 4.7);
    EXPECT_DOUBLE_EQ(StepFloatValue(0.05, -0.1, 0.0, 100.0), 0.0);
    EXPECT_DOUBLE_EQ(StepFloatValue(95.0, 10.0, 0.0, 100.0), 100.0);
    EXPECT_DOUBLE_EQ(StepFloatValue(-5.0, -10.0, 0.0, 0.0), -15.0);  // MaxValue not above MinValue: free
    EXPECT_DOUBLE_EQ(StepFloatValue(std::numeric_limits<double>::quiet_NaN(), 1.0, 2.0, 10.0), 3.0);
}

}  // namespace
