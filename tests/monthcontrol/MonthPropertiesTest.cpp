// Side effects of the properties and the saved options.
#include "MonthTestSupport.h"

#include "platform/RuntimeError.h"
#include "platform/widgets/OleColor.h"

#include <QAction>
#include <QElapsedTimer>
#include <QThread>

using MonthProperties = MonthFixture;

TEST_F(MonthProperties, FontRelativeSizeIsKeptWithinOneToFive)
{
    auto m = makeMonth(400, 300);
    const struct {
        int16_t in, stored;
    } cases[] = {{9, 5}, {0, 1}, {-3, 1}, {1, 1}, {5, 5}, {3, 3}};
    for (const auto& c : cases) {
        m->setFontRelativeSize(c.in);
        EXPECT_EQ(m->FontRelativeSize(), c.stored) << c.in;
        EXPECT_DOUBLE_EQ(m->FontScale(), (c.stored + 4) / 10.0);
    }
}

TEST_F(MonthProperties, FullDateSetter)
{
    auto m = makeMonth(400, 300, dn(2008, 5, 1));
    SignalLog log(*m);
    m->setFullDate(dn(1965, 7, 15));
    EXPECT_EQ(m->FullDate(), dn(1970, 1, 1));
    EXPECT_EQ(m->TheYear(), 1970);
    EXPECT_EQ(m->TheMonth(), 1);
    EXPECT_EQ(log.take(), QStringList({"DateChange", "SettingChange(FullDate)"}));
    // Another day of the shown month: the month stays, the setting is announced.
    m->setFullDate(dn(1970, 1, 20));
    EXPECT_EQ(m->FullDate(), dn(1970, 1, 1));
    EXPECT_EQ(log.take(), QStringList({"SettingChange(FullDate)"}));
    // The 1st itself changes nothing.
    m->setFullDate(dn(1970, 1, 1));
    EXPECT_TRUE(log.take().isEmpty());
    // Dates beyond the calendar are refused and change nothing.
    EXPECT_THROW(m->setFullDate(1e12), RuntimeError);
    EXPECT_EQ(m->FullDate(), dn(1970, 1, 1));
}

TEST_F(MonthProperties, MonthThirteenCarriesButFlagsKeepTheirValues)
{
    auto m = makeMonth(400, 300, dn(2008, 12, 1));
    m->setTheYear(2008);
    std::vector<int16_t> before;
    for (int p = 1; p <= 42; ++p)
        before.push_back(m->Days().Item(p)->Flag());
    SignalLog log(*m);
    m->setTheMonth(13);
    EXPECT_EQ(m->TheMonth(), 13);
    EXPECT_EQ(m->FullDate(), dn(2009, 1, 1));
    EXPECT_EQ(m->LastDay(), dn(2009, 1, 31));
    EXPECT_EQ(m->StartDate(), dn(2008, 12, 28));
    for (int p = 1; p <= 42; ++p)
        EXPECT_EQ(m->Days().Item(p)->Flag(), before[size_t(p - 1)]) << p;
    EXPECT_EQ(log.take(), QStringList({"DateChange"}));
    // The same month again announces nothing.
    m->setTheMonth(13);
    EXPECT_TRUE(log.take().isEmpty());
    m->Repaint();
    EXPECT_TRUE(fakes.messages->shown.empty());
    // A year beyond the calendar is refused before anything changes.
    EXPECT_THROW(m->setTheYear(10000), RuntimeError);
    EXPECT_EQ(m->TheYear(), 2008);
}

TEST_F(MonthProperties, FirstWeekdayAcceptsOnlyItsCodes)
{
    auto m = makeMonth(400, 300, dn(2008, 3, 1));
    SignalLog log(*m);
    m->setFirstWeekday(3);
    EXPECT_EQ(fakes.messages->texts(), QStringList({"Not Allowed"}));
    EXPECT_EQ(fakes.messages->shown[0].title, "Tarnwell Free");
    EXPECT_EQ(m->FirstWeekday(), 0);
    m->setFirstWeekday(0); // the same value: no message, nothing raised
    EXPECT_EQ(fakes.messages->shown.size(), 1u);
    EXPECT_TRUE(log.take().isEmpty());
    m->setShowWeekends(true);
    log.take();
    m->setFirstWeekday(2);
    EXPECT_EQ(log.take(), QStringList({"SettingChange(FirstWeekday)"}));
    EXPECT_EQ(m->StartDate(), dn(2008, 2, 25));
}

TEST_F(MonthProperties, SettersSyncTheMenuEvenWithoutAChange)
{
    auto m = makeMonth(400, 300, dn(2008, 3, 1));
    SignalLog log(*m);
    QAction* fit = m->findChild<QAction*>("mnuDebugFitRows");
    ASSERT_NE(fit, nullptr);
    fit->setChecked(true); // out of step
    m->setFitRows(false);
    EXPECT_FALSE(fit->isChecked());
    EXPECT_TRUE(log.take().isEmpty());
}

TEST_F(MonthProperties, LetDayColorIgnoresIndexesOutsideTheCells)
{
    auto m = makeMonth(400, 300, dn(2008, 3, 1));
    m->LetDayColor(41, 0x123456);
    m->LetDayColor(42, 0x654321);
    m->LetDayColor(-1, 0x654321);
    EXPECT_EQ(m->Days().Item(42)->ForeColor(), 0x123456);
    for (int p = 1; p <= 41; ++p)
        EXPECT_EQ(m->Days().Item(p)->ForeColor(), 0) << p;
}

TEST_F(MonthProperties, RepaintTimerMergesABurstOfChanges)
{
    auto m = makeMonth(400, 300, dn(2008, 3, 1));
    m->Repaint();
    EXPECT_FALSE(m->RepaintPending());
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
    EXPECT_FALSE(m->RepaintPending());
    EXPECT_GE(t.elapsed(), 150);
    EXPECT_EQ(m->Surface().pixelColor(corner), OleColor::toQColor(0x00FFFF, m->palette()));
}

TEST_F(MonthProperties, SavedOptionsDefaultsAndOrder)
{
    const QStringList order{
        "ForeColor",    "Enabled",      "TheYear",      "TheMonth", "FitRows",   "FontRelativeSize",
        "ShowFullGrid", "FontBold",     "ShowButtons",  "Font",     "BackColor", "BackStyle",
        "BorderStyle",  "ShowWeekends", "WeekendColor", "FullDate", "StartDate", "FirstWeekday",
        "ShowToday",    "CellSplit",    "FixedGrid"};
    QStringList keys;
    for (const auto& kv : ctlMonth::PropertyDefaults())
        keys << kv.first;
    EXPECT_EQ(keys, order);

    // An empty description gives every default, and writing gives them back.
    ctlMonth m;
    m.ReadProperties({});
    const PropertyBag written = m.WriteProperties();
    EXPECT_EQ(written.size(), order.size());
    for (const auto& [key, def] : ctlMonth::PropertyDefaults()) {
        SCOPED_TRACE(key.toStdString());
        ASSERT_TRUE(written.contains(key));
        if (def.typeId() == QMetaType::Double)
            EXPECT_DOUBLE_EQ(written[key].toDouble(), def.toDouble());
        else
            EXPECT_EQ(written[key].toString(), def.toString());
    }
    EXPECT_EQ(m.SpecialPeriodColor(), 0);
}

TEST_F(MonthProperties, SavedOptionsRoundTripAsText)
{
    PropertyBag bag;
    bag["ForeColor"] = "255";
    bag["FitRows"] = "True";
    bag["FontRelativeSize"] = "9"; // not limited when loaded
    bag["ShowWeekends"] = "True";
    bag["FontBold"] = "False";
    bag["WeekendColor"] = QString::number(0x8000000Fu); // unsigned text keeps the top bit
    bag["FirstWeekday"] = "2";
    bag["CellSplit"] = "2";
    bag["ShowButtons"] = "False";
    bag["Enabled"] = "False";
    ctlMonth m;
    m.ReadProperties(bag);
    EXPECT_EQ(m.ForeColor(), 255);
    EXPECT_TRUE(m.FitRows());
    EXPECT_EQ(m.FontRelativeSize(), 9);
    EXPECT_FALSE(m.FontBold()) << "a missing font keeps the saved weight";
    EXPECT_EQ(m.WeekendColor(), OleColor::ButtonFace);
    EXPECT_EQ(m.CellSplit(), 2);
    EXPECT_FALSE(m.Enabled());
    EXPECT_FALSE(m.imgNav(0)->isVisibleTo(&m));
    EXPECT_TRUE(m.findChild<QAction*>("mnuDebugWeekends")->isChecked());
    EXPECT_TRUE(m.findChild<QAction*>("mnuDebugFirstDayOfWeekPick2")->isChecked());
    EXPECT_FALSE(m.findChild<QAction*>("mnuDebugFirstDayOfWeekPick0")->isChecked());
    EXPECT_FALSE(m.findChild<QAction*>("mnuDebugBoldFont")->isChecked());

    // Through text, as a host's store keeps it, and back.
    PropertyBag text;
    const PropertyBag first = m.WriteProperties();
    for (auto it = first.cbegin(); it != first.cend(); ++it)
        text[it.key()] = it.value().toString();
    ctlMonth again;
    again.ReadProperties(text);
    const PropertyBag second = again.WriteProperties();
    for (auto it = first.cbegin(); it != first.cend(); ++it)
        EXPECT_EQ(second[it.key()].toString(), it.value().toString()) << it.key().toStdString();
}

TEST_F(MonthProperties, ReloadedMonthIsReplacedWhenShown)
{
    PropertyBag bag;
    bag["TheYear"] = 1999;
    bag["TheMonth"] = 7;
    bag["FullDate"] = dn(1999, 7, 1);
    auto m = std::make_unique<ctlMonth>();
    m->ReadProperties(bag);
    EXPECT_EQ(m->TheYear(), 1999);
    m->resize(300, 200);
    m->show();
    EXPECT_EQ(m->FullDate(), dn(2008, 3, 1));
    EXPECT_EQ(m->TheMonth(), 3);
}

TEST_F(MonthProperties, LoadingShowsTheButtonsBeforeReadingTheCellSplit)
{
    // The buttons step repaints a shown control: with the split still the
    // old one, so a saved split of 0 fails only the paints after loading.
    auto m = makeMonth(400, 300);
    PropertyBag bag;
    bag["CellSplit"] = 0;
    bag["ShowButtons"] = false;
    m->ReadProperties(bag);
    EXPECT_FALSE(m->imgNav(0)->isVisibleTo(m.get()));
    EXPECT_TRUE(fakes.messages->shown.empty());
    m->Repaint();
    ASSERT_EQ(fakes.messages->shown.size(), 1u);
    EXPECT_TRUE(fakes.messages->shown[0].text.startsWith("Error 11 (Division by zero) in line 14"));
}
