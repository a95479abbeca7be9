#include "model/DayNumber.h"
#include "model/clsSchedule.h"
#include "support/ErrorOf.h"

#include <QDate>
#include <QFile>
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

// The worked example of the default schedule ("312123231"; A, B, C), plus the
// rows around the reference date and the time of day.
TEST(Rotation, DefaultScheduleWorkedExample)
{
    const std::tuple<const char*, double, const char*, int> rows[] = {
        {"reference day uses the second character", day(1970, 1, 1), "A", 2},
        {"second day", day(1970, 1, 2), "B", 3},
        {"third day", day(1970, 1, 3), "A", 4},
        {"fourth day", day(1970, 1, 4), "B", 5},
        {"day index a multiple of the length", day(1970, 1, 9), "C", 1},
        {"year 2000", day(2000, 1, 1), "C", 6},
        {"5 December 2026", day(2026, 12, 5), "A", 4},
        {"6 December 2026", day(2026, 12, 6), "B", 5},
        {"7 December 2026", day(2026, 12, 7), "C", 6},
        {"evening of 5 December 2026", day(2026, 12, 5, 0.75), "A", 4},
        {"leap day 2024", day(2024, 2, 29), "A", 2},
        // Before the reference day the platoon is that of 1 January 1970 while
        // the position keeps the sign of the day index.
        {"31 December 1969", day(1969, 12, 31), "A", 1},
        {"30 December 1969", day(1969, 12, 30), "A", 0},
        {"1 January 1960", day(1960, 1, 1), "A", -6},
    };
    const auto shift = DefaultSchedule()->Shifts()->Item(1);
    for (const auto& [name, date, code, pointer] : rows) {
        SCOPED_TRACE(name);
        EXPECT_EQ(shift->ONDuty(date)->Code(), code);
        EXPECT_EQ(shift->Pointer(date), pointer);
    }
}

// Day-by-day references written by walking the calendar from 1 January 1970,
// apart from the code: every day of a year or more, month and year ends
// and leap days included.
TEST(Rotation, EveryDayAgainstReferenceFiles)
{
    for (const char* name : {"default_312123231", "days_off_1203x9120"}) {
        SCOPED_TRACE(name);
        QFile f(QStringLiteral(TARNWELL_TEST_DATA "/model/data/%1.ref").arg(name));
        ASSERT_TRUE(f.open(QIODevice::ReadOnly | QIODevice::Text));
        const auto shift = shiftWith(QString(name).section('_', -1), 3); // named after its sequence
        int days = 0;
        while (!f.atEnd()) {
            const QString line = QString::fromUtf8(f.readLine()).trimmed();
            if (line.isEmpty() || line.startsWith(QLatin1Char('#')))
                continue;
            const QStringList parts = line.split(QLatin1Char(' '));
            const QDate date = QDate::fromString(parts.at(0), Qt::ISODate);
            // Noon: the time of day plays no part.
            ASSERT_EQ(shift->ONDuty(DayNumber::fromDate(date) + 0.5)->Code(),
                      parts.at(1) == QLatin1String("-") ? QStringLiteral(" ") : parts.at(1))
                << qPrintable(line);
            ++days;
        }
        EXPECT_GE(days, 366);
    }
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
    EXPECT_EQ(errorOf([&] { shift->Pointer(-inf); }), Err::Overflow);

    // Positions are 16-bit: a longer sequence works until a date needs a
    // position beyond 32,767.
    const auto longShift = shiftWith(QString(40000, QLatin1Char('1')), 1);
    EXPECT_EQ(longShift->Pointer(DayNumber::Epoch1970 + 32765), 32767);
    EXPECT_EQ(errorOf([&] { longShift->Pointer(DayNumber::Epoch1970 + 32766); }), Err::Overflow);
    EXPECT_EQ(longShift->ONDuty(DayNumber::Epoch1970 + 39000), longShift->Platoons()->Item(1));
}
