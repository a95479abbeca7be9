#include "model/clsSchedXml.h"
#include "model/clsSchedule.h"
#include "support/ErrorOf.h"

#include <gtest/gtest.h>

namespace {
const QString DefaultLine = QStringLiteral(
    "<Schedule Title=\"Tolvar Fire Department\" Initials=\"TFD\" Description=\"24-Hour Shift\">"
    "<Shift Title=\"Tolvar Fire Department\" Initials=\"TFD\" Description=\"24-Hour Shift\" "
    "Sequence=\"312123231\">"
    "<Platoon Description=\"Platoon\" Code=\"A\" Color=\"FF\"/>"
    "<Platoon Description=\"Platoon\" Code=\"B\" Color=\"FF00\"/>"
    "<Platoon Description=\"Platoon\" Code=\"C\" Color=\"0\"/>"
    "</Shift></Schedule>");

// Written by hand in the writer's form: colours of every width and values
// holding characters that are markup elsewhere.
const QString TwoShifts = QStringLiteral(
    "<Schedule Title=\"Station 4 – Göteborg\" Initials=\"S4\" Description=\"Days & nights, <24h\">"
    "<Shift Title=\"Day\" Initials=\"D\" Description=\"Day shift\" Sequence=\"1230x\">"
    "<Platoon Description=\"Red watch\" Code=\"R\" Color=\"FF\"/>"
    "<Platoon Description=\"Blue watch\" Code=\"U\" Color=\"FF0000\"/>"
    "<Platoon Description=\"System\" Code=\"S\" Color=\"8000000F\"/></Shift>"
    "<Shift Title=\"Night\" Initials=\"N\" Description=\"Night shift\" Sequence=\"21\">"
    "<Platoon Description=\"Night A\" Code=\"a\" Color=\"FFFF\"/>"
    "<Platoon Description=\"Night B\" Code=\" \" Color=\"FFFFFFFF\"/></Shift></Schedule>");

// A new title and an open shift, for texts that go wrong after them.
const QString OpenShift =
    QStringLiteral("<Schedule Title=\"New\" Initials=\"\" Description=\"\">"
                   "<Shift Title=\"\" Initials=\"\" Description=\"\" Sequence=\"1\">");
} // namespace

TEST(ScheduleXml, WriterForms)
{
    auto changed = DefaultSchedule();
    changed->Shifts()->Item(1)->Platoons()->Item(1)->setCode(QStringLiteral("Z"));
    EXPECT_EQ(DefaultSchedule()->xml(), DefaultLine) << "a new default schedule every time";
    EXPECT_EQ(clsShift().xml(),
              "<Shift Title=\"\" Initials=\"\" Description=\"Shift\" Sequence=\"0\"></Shift>");
    EXPECT_EQ(clsPlatoon().xml(), "<Platoon Description=\"Platoon\" Code=\" \" Color=\"0\"/>");
    EXPECT_EQ(clsSchedule().xml(),
              "<Schedule Title=\"Title\" Initials=\"\" Description=\"Description\"></Schedule>");
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
TEST(ScheduleXml, RoundTrips)
{
    const std::tuple<const char*, QString, int> rows[] = {
        {"two shifts, odd colours", TwoShifts, 2},
        // Values holding another attribute's name once spoiled the fields after them.
        {"attribute names inside values",
         "<Schedule Title=\"Description Title= Initials= x Description=\" Initials=\"Title=\" "
         "Description=\"Real description\"><Shift Title=\" Sequence= <Platoon Code=\" Initials=\" "
         "\" Description=\"Sequence= shift\" Sequence=\"12\"><Platoon Description=\"Code Color= "
         "Code=\" Code=\"Q\" Color=\"1234\"/><Platoon Description=\"Second\" Code=\"Color=\" "
         "Color=\"7\"/></Shift></Schedule>",
         1},
        // Text positions were once 16-bit; a long schedule must read whole.
        {"long texts",
         "<Schedule Title=\"Title\" Initials=\"\" Description=\"" + QString(20000, 'd') +
             "\"><Shift Title=\"Long\" Initials=\"L\" Description=\"Long shift\" Sequence=\"" +
             QString(30000, '1') +
             "\"><Platoon Description=\"Only\" Code=\"O\" Color=\"9\"/></Shift><Shift "
             "Title=\"After\" Initials=\"A\" Description=\"After shift\" Sequence=\"1\"><Platoon "
             "Description=\"Late\" Code=\"L\" Color=\"A\"/></Shift></Schedule>",
         2}};
    for (const auto& [name, text, shifts] : rows) {
        SCOPED_TRACE(name);
        clsSchedule copy;
        copy.setXml(text);
        EXPECT_TRUE(copy.ReadProblems().isEmpty());
        EXPECT_EQ(copy.Shifts()->Count(), shifts);
        EXPECT_EQ(copy.xml(), text);
    }
}

TEST(ScheduleXml, TextsThatChangeNothing)
{
    clsSchedule s;
    s.setXml(TwoShifts);
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
    s.setXml(QStringLiteral("<Schedule Title=\"T\" Description=\"D\">"
                            "<Shift Title=\"S\" Initials=\"s\" Description=\"Sd\">"
                            "<Platoon Code=\"A\" Color=\"FF\"/></Shift></Schedule>"));
    EXPECT_EQ(
        s.xml(),
        QStringLiteral("<Schedule Title=\"T\" Initials=\"\" Description=\"D\">"
                       "<Shift Title=\"S\" Initials=\"s\" Description=\"Sd\" Sequence=\"\">"
                       "<Platoon Description=\"\" Code=\"A\" Color=\"FF\"/></Shift></Schedule>"));
    EXPECT_EQ(s.Shifts()->Item(1)->SequenceLength(), 0);

    const QString message = "Error 5 (Invalid procedure call or argument) in procedure GetValue "
                            "of Class Module ";
    EXPECT_EQ(s.ReadProblems(),
              QStringList({message + "clsSchedule", message + "clsShift", message + "clsPlatoon"}));
    // The next read starts afresh.
    s.setXml(DefaultLine);
    EXPECT_TRUE(s.ReadProblems().isEmpty());
}

TEST(ScheduleXml, BadColourRaisesTypeMismatch)
{
    // What, the platoon, the error, the problems met before it.
    const std::tuple<const char*, const char*, int, int> rows[] = {
        {"not hexadecimal", "<Platoon Description=\"P\" Code=\"A\" Color=\"GG\"/>",
         Err::TypeMismatch, 0},
        {"empty", "<Platoon Description=\"P\" Code=\"A\" Color=\"\"/>", Err::TypeMismatch, 0},
        {"with a prefix", "<Platoon Description=\"P\" Code=\"A\" Color=\"&HFF\"/>",
         Err::TypeMismatch, 0},
        {"missing", "<Platoon Description=\"P\" Code=\"A\"/>", Err::TypeMismatch, 1},
        {"beyond 32 bits", "<Platoon Description=\"P\" Code=\"A\" Color=\"100000000\"/>",
         Err::Overflow, 0},
    };
    for (const auto& [name, platoon, error, problems] : rows) {
        SCOPED_TRACE(name);
        clsSchedule s;
        s.setXml(TwoShifts);
        const auto shifts = s.Shifts();
        const QString text = OpenShift + platoon + "</Shift></Schedule>";
        EXPECT_EQ(errorOf([&, &t = text] { s.setXml(t); }), error);
        EXPECT_EQ(s.Shifts(), shifts);               // as it was
        EXPECT_EQ(s.title(), QStringLiteral("New")); // fields read before the error stay
        EXPECT_EQ(int(s.ReadProblems().size()), problems);
    }
}

TEST(ScheduleXml, UnfinishedElementsRaise)
{
    clsSchedule s;
    s.setXml(TwoShifts);
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
        {"default schedule", DefaultLine, QStringLiteral("Tolvar Fire Department"),
         QStringLiteral("24-Hour Shift")},
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
