// The image calendar as a screen reader reads it.
#include "ImageCalendarTestSupport.h"

#include "support/AccessibleNames.h"

TEST_F(ImageCalendarTest, EveryControlIsNamed)
{
    const auto f = shown();
    EXPECT_EQ(unnamedControls(f.get()), "");
}
