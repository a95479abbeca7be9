// Side effects of the properties and the saved options.
#include "MonthTestSupport.h"

#include "platform/RuntimeError.h"
#include "platform/widgets/OleColor.h"
#include "support/DataFiles.h"

#include <QElapsedTimer>
#include <QThread>

using MonthProperties = MonthFixture;

TEST_F(MonthProperties, MonthThirteenCarriesButFlagsKeepTheirValues)
{
    auto m = makeMonth(400, 300, dn(2008, 12, 1));
    SignalLog log(*m);
    m->setTheMonth(13);
    EXPECT_EQ(QList<double>({double(m->TheMonth()), m->FullDate(), m->LastDay(), m->StartDate()}),
              QList<double>({13, dn(2009, 1, 1), dn(2009, 1, 31), dn(2008, 12, 28)}));
    // No day is in month 13: 31 December keeps the flag of December's grid,
    // 29 January that of the days after December.
    EXPECT_EQ(m->Days().Item(4)->Flag(), 0);
    EXPECT_EQ(m->Days().Item(33)->Flag(), 1);
    EXPECT_EQ(log.take(), QStringList({"DateChange"}));
    // A year beyond the calendar is refused before anything changes.
    EXPECT_THROW(m->setTheYear(10000), RuntimeError);
    EXPECT_EQ(m->TheYear(), 2008);
}

TEST_F(MonthProperties, ValuesOutsideTheirRangeAreLimitedRefusedOrIgnored)
{
    auto m = makeMonth(400, 300, dn(2008, 3, 1));
    for (const auto& [in, stored, scale] :
         {std::tuple{0, 1, 0.5}, {1, 1, 0.5}, {5, 5, 0.9}, {6, 5, 0.9}}) {
        m->setFontRelativeSize(int16_t(in));
        EXPECT_EQ(m->FontRelativeSize(), stored) << in;
        EXPECT_DOUBLE_EQ(m->FontScale(), scale) << in;
    }
    SignalLog log(*m);
    m->setFirstWeekday(3);
    m->setFirstWeekday(0); // the same value: no message
    ASSERT_EQ(fakes.messages->texts(), QStringList({"Not Allowed"}));
    EXPECT_EQ(m->FirstWeekday(), 0);
    EXPECT_TRUE(log.take().isEmpty());
    for (const int16_t index : {41, 42, -1}) // only 41 is a cell
        m->LetDayColor(index, 0x123456 + index);
    EXPECT_EQ(m->Days().Item(42)->ForeColor(), 0x123456 + 41);
    for (int p = 1; p <= 41; ++p)
        EXPECT_EQ(m->Days().Item(p)->ForeColor(), 0) << p;
}

TEST_F(MonthProperties, RepaintTimerMergesABurstOfChanges)
{
    auto m = makeMonth(400, 300, dn(2008, 3, 1));
    m->Repaint();
    const QPoint corner(3, int(m->CellHeight() / m->TwipsPerPixelY()) + 3); // row 1, column 0
    const QColor before = m->Surface().pixelColor(corner);
    m->setWeekendColor(0x00FFFF);
    m->setShowWeekends(true);
    m->setForeColor(0x800000);
    EXPECT_TRUE(m->RepaintPending());
    EXPECT_EQ(m->Surface().pixelColor(corner), before) << "nothing painted before the tick";
    QElapsedTimer t;
    t.start();
    while (m->RepaintPending() && t.elapsed() < 3000) {
        QApplication::processEvents();
        QThread::msleep(5);
    }
    EXPECT_GE(t.elapsed(), 150);
    EXPECT_EQ(m->Surface().pixelColor(corner), OleColor::toQColor(0x00FFFF, m->palette()));
}

TEST_F(MonthProperties, EverySavedKeyIsReadBackAndAMissingKeyGivesItsDefault)
{
    // A value other than the default for every key, as text. A relative size
    // of 9 is beyond what the setter allows: loading does not limit it.
    const QString font = QFont("DejaVu Sans Mono", 13).toString(); // not bold
    const PropertyBag bag{
        {"ForeColor", "255"},     {"Enabled", "false"},     {"TheYear", "1999"},
        {"TheMonth", "7"},        {"FitRows", "true"},      {"FontRelativeSize", "9"},
        {"ShowFullGrid", "true"}, {"FontBold", "false"},    {"ShowButtons", "false"},
        {"Font", font},           {"BackColor", "65280"},   {"BackStyle", "1"},
        {"BorderStyle", "0"},     {"ShowWeekends", "true"}, {"WeekendColor", "2147483653"},
        {"FullDate", "36342"},    {"StartDate", "36340"},   {"FirstWeekday", "2"},
        {"ShowToday", "false"},   {"CellSplit", "2"},       {"FixedGrid", "true"}};
    ctlMonth m;
    m.ReadProperties(bag);
    PropertyBag written = m.WriteProperties();
    // Unsigned text keeps the top bit; a colour is saved signed.
    EXPECT_EQ(written.take("WeekendColor").toInt(), -2147483643);
    EXPECT_EQ(written.size(), bag.size() - 1);
    for (auto it = written.cbegin(); it != written.cend(); ++it)
        EXPECT_EQ(it.value().toString(), bag.value(it.key()).toString()) << it.key().toStdString();
    EXPECT_FALSE(m.imgNav(0)->isVisibleTo(&m));

    // An empty description gives every key's default; the special period
    // colour is not saved and turns black.
    m.setSpecialPeriodColor(0x123456);
    m.ReadProperties({});
    written = m.WriteProperties();
    written.remove("Font");
    QStringList defaults;
    for (auto it = written.cbegin(); it != written.cend(); ++it)
        defaults << it.key() + '|' + it.value().toString();
    QStringList expected;
    for (const QStringList& row :
         dataRows(QStringLiteral("monthcontrol/data/missing-keys-defaults.txt")))
        expected << row.join('|');
    defaults.sort();
    expected.sort();
    EXPECT_EQ(defaults.join(' ').toStdString(), expected.join(' ').toStdString());
    EXPECT_EQ(m.SpecialPeriodColor(), 0);
}
