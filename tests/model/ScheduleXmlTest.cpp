#include "model/clsSchedXml.h"
#include "model/clsSchedule.h"
#include "support/DataFiles.h"
#include "support/ErrorOf.h"

#include <QDir>

namespace {
// A schedule line kept in the data folder.
QString fixture(const QString& name)
{
    return QString::fromUtf8(readBytes(dataPath("model/data/" + name))).trimmed();
}

// A new title and an open shift, for texts that go wrong after them.
const QString OpenShift =
    QStringLiteral("<Schedule Title=\"New\" Initials=\"\" Description=\"\">"
                   "<Shift Title=\"\" Initials=\"\" Description=\"\" Sequence=\"1\">");
} // namespace

TEST(ScheduleXml, WriterForms)
{
    auto changed = DefaultSchedule();
    changed->Shifts()->Item(1)->Platoons()->Item(1)->setCode(QStringLiteral("Z"));
    EXPECT_EQ(DefaultSchedule()->xml(), fixture("default_schedule.xml"))
        << "a new default schedule every time";
    EXPECT_EQ(QStringList({clsSchedule().xml(), clsShift().xml(), clsPlatoon().xml()}),
              fixture("new_objects.xml").split('\n'));
}

TEST(ScheduleXml, ColorsInHexadecimal)
{
    for (const auto& [color, written] : {std::pair{0, "0"},
                                         {65280, "FF00"},
                                         {int32_t(0x80000005), "80000005"},
                                         {-1, "FFFFFFFF"}}) {
        SCOPED_TRACE(written);
        clsPlatoon p, back;
        p.setColor(color);
        EXPECT_TRUE(p.xml().contains(QStringLiteral("Color=\"%1\"").arg(written)));
        QStringList problems;
        back.setXml(p.xml(), problems);
        EXPECT_EQ(back.Color(), color);
        EXPECT_TRUE(problems.isEmpty());
    }
    // Hand-written forms the reader also takes.
    clsPlatoon p;
    QStringList problems;
    p.setXml(QStringLiteral("<Platoon Description=\"d\" Code=\"c\" Color=\"00000000ff\"/>"),
             problems);
    EXPECT_EQ(p.Color(), 255);
}

// Read back, each schedule writes the same text again. The writer's exact form
// is pinned by WriterForms, so equal texts mean equal fields in the same order.
// Values holding another attribute's name once spoiled the fields after them;
// text positions were once 16-bit, so a long schedule must read whole.
TEST(ScheduleXml, RoundTrips)
{
    const QDir dir(dataPath("model/data/roundtrip"));
    ASSERT_EQ(dir.entryList(QDir::Files).size(), 3);
    for (const QString& name : dir.entryList(QDir::Files)) {
        SCOPED_TRACE(qPrintable(name));
        const QString text = fixture("roundtrip/" + name);
        clsSchedule copy;
        copy.setXml(text);
        EXPECT_TRUE(copy.ReadProblems().isEmpty());
        EXPECT_EQ(copy.xml(), text);
    }
}

TEST(ScheduleXml, TextsThatChangeNothing)
{
    clsSchedule s;
    s.setXml(fixture("roundtrip/two_shifts_odd_colours.xml"));
    const auto shifts = s.Shifts();
    const QString before = s.xml();
    for (const QString& text :
         {QString(), QStringLiteral("<Shift Title=\"x\"></Shift>"), QStringLiteral("schedule"),
          QStringLiteral("<schedule Title=\"x\">")}) {
        s.setXml(text);
        EXPECT_EQ(s.xml(), before) << qPrintable(text);
        EXPECT_EQ(s.Shifts(), shifts);
        EXPECT_TRUE(s.ReadProblems().isEmpty());
    }
}

// A missing attribute is kept as a problem of the class that reads it and
// reads as empty; the other fields are still read. The model shows nothing.
TEST(ScheduleXml, MissingAttributeIsAProblemOfTheReadAndEmpty)
{
    clsSchedule s;
    s.setXml(fixture("missing_attributes.xml"));
    EXPECT_EQ(s.xml(), fixture("missing_attributes_written.xml"));
    EXPECT_EQ(s.Shifts()->Item(1)->SequenceLength(), 0);

    const QString message = "Error 5 (Invalid procedure call or argument) in procedure GetValue "
                            "of Class Module ";
    EXPECT_EQ(s.ReadProblems(),
              QStringList({message + "clsSchedule", message + "clsShift", message + "clsPlatoon"}));
    // The next read starts afresh.
    s.setXml(fixture("default_schedule.xml"));
    EXPECT_TRUE(s.ReadProblems().isEmpty());
}

TEST(ScheduleXml, BadColourRaisesTypeMismatch)
{
    // What, the colour attribute, the error, the problems met before it.
    const std::tuple<const char*, const char*, int, int> rows[] = {
        {"not hexadecimal", " Color=\"GG\"", Err::TypeMismatch, 0},
        {"empty", " Color=\"\"", Err::TypeMismatch, 0},
        {"with a prefix", " Color=\"&HFF\"", Err::TypeMismatch, 0},
        {"missing", "", Err::TypeMismatch, 1},
        {"beyond 32 bits", " Color=\"100000000\"", Err::Overflow, 0},
    };
    for (const auto& [name, color, error, problems] : rows) {
        SCOPED_TRACE(name);
        clsSchedule s;
        const auto shifts = s.Shifts();
        const QString text =
            OpenShift + "<Platoon Description=\"P\" Code=\"A\"" + color + "/></Shift></Schedule>";
        EXPECT_EQ(errorOf([&, &t = text] { s.setXml(t); }), error);
        EXPECT_EQ(s.Shifts(), shifts);               // as it was
        EXPECT_EQ(s.title(), QStringLiteral("New")); // fields read before the error stay
        EXPECT_EQ(int(s.ReadProblems().size()), problems);
    }
}

TEST(ScheduleXml, UnfinishedElementsRaise)
{
    clsSchedule s;
    const auto shifts = s.Shifts();
    // A shift without its end tag: the title is read, Shifts stays.
    EXPECT_EQ(errorOf([&] { s.setXml(OpenShift + "</Schedule>"); }), Err::InvalidCall);
    EXPECT_EQ(s.title(), QStringLiteral("New"));
    EXPECT_EQ(s.Shifts(), shifts);
    // A start tag cut short changes nothing.
    EXPECT_EQ(errorOf([&] { s.setXml(QStringLiteral("<Schedule Title=\"Cut")); }),
              Err::InvalidCall);
    EXPECT_EQ(s.title(), QStringLiteral("New"));
    // A platoon cut short: the platoons before it stay with the shift.
    clsShift sh;
    QStringList problems;
    const QString cut = OpenShift.mid(OpenShift.indexOf("<Shift")) +
                        "<Platoon Description=\"P\" Code=\"A\" Color=\"1\"/><Platoon";
    EXPECT_EQ(errorOf([&] { sh.setXml(cut, problems); }), Err::InvalidCall);
    EXPECT_EQ(sh.Platoons()->Count(), 1);
    EXPECT_TRUE(problems.isEmpty());
}

TEST(ScheduleXml, SchedXmlLookups)
{
    const std::tuple<const char*, QString, QString, QString> rows[] = {
        {"default schedule", fixture("default_schedule.xml"),
         QStringLiteral("Tolvar Fire Department"), QStringLiteral("24-Hour Shift")},
        {"shift values never taken",
         QStringLiteral(
             "<Schedule Initials=\"\"><Shift Title=\"Shift title\" Description=\"Shift d\" "
             "Sequence=\"1\"></Shift></Schedule>"),
         QString(), QString()},
        {"no attributes at all", QStringLiteral("<Schedule></Schedule>"), QString(), QString()},
    };
    for (const auto& [name, text, title, description] : rows) {
        SCOPED_TRACE(name);
        clsSchedXml entry;
        entry.setXml(text);
        EXPECT_EQ(entry.GetTitle(), title);
        EXPECT_EQ(entry.GetDescription(), description);
        EXPECT_EQ(entry.xml(), text);
    }
}
