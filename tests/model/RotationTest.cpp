#include "model/DayNumber.h"
#include "model/clsSchedule.h"
#include "support/DataFiles.h"
#include "support/ErrorOf.h"

#include <QDate>
#include <QStringList>
#include <gtest/gtest.h>
#include <limits>

namespace {
double day(int y, int m, int d, double fraction = 0.0)
{
    return DayNumber::fromDate(QDate(y, m, d)) + fraction;
}

std::shared_ptr<clsShift> shiftWith(const QString& sequence, int platoonCount)
{
    auto shift = std::make_shared<clsShift>();
    shift->setSequence(sequence);
    for (int i = 1; i <= platoonCount; ++i) {
        auto p = std::make_shared<clsPlatoon>();
        p->setCode(QString(QChar(QLatin1Char('A').unicode() + i - 1)));
        p->setColor(i * 1000);
        shift->Platoons()->Add(p);
    }
    return shift;
}
} // namespace

// Day-by-day references written by walking the calendar from 1 January 1970,
// apart from the code: every day of a year or more, month and year ends
// and leap days included; and the built-in schedule's worked examples.
TEST(Rotation, EveryDayAgainstReferenceFiles)
{
    int days = 0;
    for (const char* name : {"default_312123231", "days_off_1203x9120", "worked_312123231"}) {
        SCOPED_TRACE(name);
        const auto shift = shiftWith(QString(name).section('_', -1), 3); // named after its sequence
        for (const QStringList& parts :
             dataRows(QStringLiteral("model/data/%1.ref").arg(name), ' ')) {
            const QString line = parts.join(' ');
            const QDate date = QDate::fromString(parts.at(0), Qt::ISODate);
            // Noon: the time of day plays no part.
            ASSERT_EQ(shift->ONDuty(DayNumber::fromDate(date) + 0.5)->Code(),
                      parts.at(1) == QLatin1String("-") ? QStringLiteral(" ") : parts.at(1))
                << qPrintable(line);
            // The worked examples also give the position in the sequence.
            EXPECT_TRUE(parts.size() < 3 ||
                        shift->Pointer(DayNumber::fromDate(date)) == parts.at(2).toInt())
                << qPrintable(line);
            ++days;
        }
    }
    EXPECT_GE(days, 2 * 366 + 13);
}

// Days without a platoon get a fresh default each; a one-platoon shift hands out its own.
TEST(Rotation, PlatoonsOnDuty)
{
    // "0", a letter and a digit beyond the two platoons.
    const auto shift = shiftWith(QStringLiteral("0x3"), 2);
    for (double d = day(2026, 1, 1); d < day(2026, 1, 4); ++d) {
        const auto a = shift->ONDuty(d);
        const auto b = shift->ONDuty(d);
        EXPECT_NE(a, b) << "a default platoon is never shared";
        EXPECT_EQ(a->Code(), QStringLiteral(" "));
        EXPECT_EQ(a->Description(), QStringLiteral("Platoon"));
        for (const auto& p : *shift->Platoons())
            EXPECT_NE(a, p);
    }
    for (int i = 1; i <= 3; ++i)
        EXPECT_EQ(shift->GetKey(i), 0);

    const auto one = shiftWith(QStringLiteral("1"), 1);
    for (double d = day(1969, 6, 1); d < day(1971, 1, 1); ++d)
        ASSERT_EQ(one->ONDuty(d), one->Platoons()->Item(1));
    // A change through the platoon on duty is a change of the shift.
    one->ONDuty(day(2026, 12, 6))->setColor(255);
    EXPECT_EQ(one->Platoons()->Item(1)->Color(), 255);
}

TEST(Rotation, Failures)
{
    const auto empty = shiftWith(QString(), 2);
    EXPECT_EQ(empty->SequenceLength(), 0);
    EXPECT_EQ(empty->ONDuty(day(2026, 1, 1))->Code(), QStringLiteral(" "));
    EXPECT_EQ(errorOf([&] { empty->Pointer(day(2026, 1, 1)); }), Err::DivisionByZero);

    const auto shift = DefaultSchedule()->Shifts()->Item(1);
    EXPECT_EQ(errorOf([&] { shift->GetKey(0); }), Err::InvalidCall);
    EXPECT_EQ(errorOf([&] { shift->GetKey(10); }), Err::InvalidCall);
    EXPECT_EQ(errorOf([&] { shift->GetKey(9); }), 0);

    const double nan = std::numeric_limits<double>::quiet_NaN();
    const double inf = std::numeric_limits<double>::infinity();
    EXPECT_EQ(errorOf([&] { shift->ONDuty(nan); }), Err::Overflow);
    EXPECT_EQ(errorOf([&] { shift->Pointer(inf); }), Err::Overflow);

    // Positions are 16-bit: a longer sequence works until a date needs a
    // position beyond 32,767.
    const auto longShift = shiftWith(QString(40000, QLatin1Char('1')), 1);
    EXPECT_EQ(longShift->Pointer(DayNumber::Epoch1970 + 32765), 32767);
    EXPECT_EQ(errorOf([&] { longShift->Pointer(DayNumber::Epoch1970 + 32766); }), Err::Overflow);
    EXPECT_EQ(longShift->ONDuty(DayNumber::Epoch1970 + 39000), longShift->Platoons()->Item(1));
}
