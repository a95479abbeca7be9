// Errors shown to the user through the message-box service.
#include "platform/widgets/ReportError.h"
#include "support/FakeMessageBox.h"

#include <gtest/gtest.h>

TEST(ErrorMessage, GuardedReportsThroughTheMessageService)
{
    ScopedFakeUiServices fakes;
    const bool ok = guarded("LoadSchedule", UnitKind::Form, "frmCal",
                            [] { throw Err::make(Err::FileNotFound); });
    EXPECT_FALSE(ok);
    ASSERT_EQ(fakes.messages->shown.size(), 1u);
    EXPECT_EQ(fakes.messages->shown[0].text,
              "Error 53 (File not found) in procedure LoadSchedule of Form frmCal");
    EXPECT_EQ(fakes.messages->shown[0].title, "Tarnwell Free");
    EXPECT_EQ(fakes.messages->shown[0].buttons, Msg::OKOnly);
}
