#pragma once
// The image calendar under test: fake services, no printer unless a test
// sets one up, and a two-shift schedule whose platoons are told apart by colour.
#include "imagecalendar/frmYear.h"
#include "mainwindow/MainWindowTestSupport.h"
#include "support/FakePrinters.h"
#include "support/Poppler.h"

#include <QVariant>

// The reference day 1 January 1970 takes the second character of a sequence:
// shift 1 "12" has G on an even number of days since then, R on an odd one;
// shift 2 "211" has U, M, U for 0, 1, 2 days after a multiple of three.
constexpr int32_t Red = 0x0000FF, Green = 0x00C000, Blue = 0xFF0000;

// Several facts in one string, so that one comparison shows them all.
template <class... T> QString facts(const T&... v)
{
    return QStringList{QVariant(v).toString()...}.join(QLatin1Char(' '));
}

// A '1' or '0' per menu item: whether it is checked, visible, ...
inline QString menuFlags(const frmYear& f, bool (QAction::*flag)() const,
                         std::initializer_list<const char*> names)
{
    QString s;
    for (const char* n : names)
        s += (f.MenuAction(QString::fromLatin1(n))->*flag)() ? QLatin1Char('1') : QLatin1Char('0');
    return s;
}

inline const std::shared_ptr<clsDayBox>& dayAt(const ctlMonth* m, QDate date)
{
    return m->Days().Item(m->CellOfDate(DayNumber::fromDate(date)));
}

// "yyyy-MM" per month; "+" marks the one showing the navigation buttons.
inline QStringList monthsShown(const frmYear& f)
{
    QStringList l;
    for (int i = 0; i < f.LoadedMonths(); ++i)
        l << DayNumber::toDate(f.Month(i)->FullDate()).toString(QStringLiteral("yyyy-MM")) +
                 (f.Month(i)->ShowButtons() ? QStringLiteral("+") : QString());
    return l;
}

class ImageCalendarTest : public MainWindowTest {
protected:
    void SetUp() override
    {
        MainWindowTest::SetUp();
        services().printers = printers;
    }
    // As the main window hands it over; a period, when given, is the "Pay Period".
    std::unique_ptr<frmYear> open(std::shared_ptr<clsSchedule> schedule = TwoShiftSchedule(),
                                  int periodLength = 0)
    {
        ImageCalendarSource s;
        s.schedule = std::move(schedule);
        s.specialPeriodLength = periodLength;
        s.specialPeriodName = QStringLiteral("Pay Period");
        return std::make_unique<frmYear>(std::move(s));
    }
    std::unique_ptr<frmYear> shown()
    {
        auto f = open();
        f->show();
        return f;
    }
    using MainWindowTest::click;
    static void click(frmYear& f, const QString& action)
    {
        QAction* a = f.MenuAction(action);
        ASSERT_NE(a, nullptr) << action.toStdString();
        a->trigger();
    }
    QString file(const QString& name) const { return fx.dir.path() + QLatin1Char('/') + name; }

    std::shared_ptr<FakePrinters> printers =
        std::make_shared<FakePrinters>(fx.dir.path() + QStringLiteral("/printer.pdf"));
};
