// The Flags setting's bits against the month control's switches.
#include "mainwindow/ViewFlags.h"
#include "monthcontrol/MonthTestSupport.h"

#include <functional>

using ViewFlagsBits = MonthFixture;

TEST_F(ViewFlagsBits, EachSwitchReadsAndWritesItsOwnBits)
{
    const struct {
        int32_t bits;
        std::function<bool(const ctlMonth&)> on;
    } rows[] = {
        {2, [](const ctlMonth& m) { return m.FirstWeekday() == 2; }},
        {7, [](const ctlMonth& m) { return m.FirstWeekday() == 7; }},
        {8, [](const ctlMonth& m) { return m.ShowButtons(); }},
        {16, [](const ctlMonth& m) { return m.ShowFullGrid(); }},
        {64, [](const ctlMonth& m) { return m.ShowWeekends(); }},
        {128, [](const ctlMonth& m) { return m.FontBold(); }},
        {256, [](const ctlMonth& m) { return m.FitRows(); }},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.bits);
        ctlMonth m;
        m.setShowToday(false);
        ViewFlags::apply(m, 0);
        EXPECT_EQ(ViewFlags::pack(m), 0);
        EXPECT_FALSE(row.on(m));
        ViewFlags::apply(m, row.bits);
        EXPECT_TRUE(row.on(m));
        EXPECT_EQ(ViewFlags::pack(m), row.bits) << "no other switch moved";
    }
}

TEST_F(ViewFlagsBits, TodayIsWrittenButNeverApplied)
{
    ctlMonth m;
    m.setShowToday(false);
    ViewFlags::apply(m, 32);
    EXPECT_FALSE(m.ShowToday());
    EXPECT_EQ(ViewFlags::pack(m) & 32, 0);
    m.setShowToday(true);
    ViewFlags::apply(m, 0);
    EXPECT_TRUE(m.ShowToday());
    EXPECT_EQ(ViewFlags::pack(m), 32);
}
