#include "model/clsSchedXml.h"
#include "model/clsSchedule.h"
#include "support/ErrorOf.h"

#include <functional>
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

QString getValueMessage(const char* unit)
{
    return QStringLiteral("Error 5 (Invalid procedure call or argument) in procedure GetValue "
                          "of Class Module %1")
        .arg(QLatin1String(unit));
}

std::shared_ptr<clsPlatoon> platoon(const QString& description, const QString& code, int32_t color)
{
    auto p = std::make_shared<clsPlatoon>();
    p->setDescription(description);
    p->setCode(code);
    p->setColor(color);
    return p;
}

std::shared_ptr<clsShift> shift(const QString& title, const QString& sequence,
                                std::initializer_list<std::shared_ptr<clsPlatoon>> platoons)
{
    auto s = std::make_shared<clsShift>();
    s->setTitle(title);
    s->setInitials(title.left(1));
    s->setDescription(title + QStringLiteral(" shift"));
    s->setSequence(sequence);
    for (const auto& p : platoons)
        s->Platoons()->Add(p);
    return s;
}

clsSchedule twoShiftSchedule()
{
    clsSchedule s;
    s.setTitle(QStringLiteral("Station 4 – Göteborg"));
    s.setInitials(QStringLiteral("S4"));
    s.setDescription(QStringLiteral("Days & nights, <24h"));
    s.Shifts()->Add(shift(QStringLiteral("Day"), QStringLiteral("1230x"),
                          {platoon(QStringLiteral("Red watch"), QStringLiteral("R"), 255),
                           platoon(QStringLiteral("Blue watch"), QStringLiteral("U"), 0xFF0000),
                           platoon(QStringLiteral("System"), QStringLiteral("S"),
                                   static_cast<int32_t>(0x8000000F))}));
    s.Shifts()->Add(shift(QStringLiteral("Night"), QStringLiteral("21"),
                          {platoon(QStringLiteral("Night A"), QStringLiteral("a"), 65535),
                           platoon(QStringLiteral("Night B"), QStringLiteral(" "), -1)}));
    return s;
}
} // namespace

TEST(ScheduleXml, WriterForms)
{
    auto changed = DefaultSchedule();
    changed->Shifts()->Item(1)->Platoons()->Item(1)->setCode(QStringLiteral("Z"));
    EXPECT_EQ(DefaultSchedule()->xml(), DefaultLine) << "a new default schedule every time";
    EXPECT_EQ(clsShift().xml(),
              QStringLiteral(
                  "<Shift Title=\"\" Initials=\"\" Description=\"Shift\" Sequence=\"0\"></Shift>"));
    EXPECT_EQ(clsPlatoon().xml(),
              QStringLiteral("<Platoon Description=\"Platoon\" Code=\" \" Color=\"0\"/>"));
    EXPECT_EQ(
        clsSchedule().xml(),
        QStringLiteral(
            "<Schedule Title=\"Title\" Initials=\"\" Description=\"Description\"></Schedule>"));
}

TEST(ScheduleXml, ColorsInHexadecimal)
{
    const struct {
        int32_t color;
        const char* written;
    } rows[] = {
        {0, "0"},
        {65280, "FF00"},
        {static_cast<int32_t>(0x80000005), "80000005"},
        {-1, "FFFFFFFF"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.written);
        clsPlatoon p;
        p.setColor(row.color);
        const QString text = p.xml();
        EXPECT_TRUE(text.contains(QStringLiteral("Color=\"%1\"").arg(QLatin1String(row.written))));
        clsPlatoon back;
        QStringList problems;
        back.setXml(text, problems);
        EXPECT_EQ(back.Color(), row.color);
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
    // Values holding another attribute's name once spoiled the fields after them.
    clsSchedule names;
    names.setTitle(QStringLiteral("Description Title= Initials= x Description="));
    names.setInitials(QStringLiteral("Title="));
    names.setDescription(QStringLiteral("Real description"));
    names.Shifts()->Add(
        shift(QStringLiteral(" Sequence= <Platoon Code="), QStringLiteral("12"),
              {platoon(QStringLiteral("Code Color= Code="), QStringLiteral("Q"), 0x1234),
               platoon(QStringLiteral("Second"), QStringLiteral("Color="), 7)}));
    // Text positions were once 16-bit; a long schedule must read whole.
    clsSchedule longOne;
    longOne.setDescription(QString(20000, QLatin1Char('d')));
    longOne.Shifts()->Add(shift(QStringLiteral("Long"), QString(30000, QLatin1Char('1')),
                                {platoon(QStringLiteral("Only"), QStringLiteral("O"), 9)}));
    longOne.Shifts()->Add(shift(QStringLiteral("After"), QStringLiteral("1"),
                                {platoon(QStringLiteral("Late"), QStringLiteral("L"), 10)}));
    const struct {
        const char* name;
        QString text;
        int shifts;
    } rows[] = {{"two shifts, odd colours", twoShiftSchedule().xml(), 2},
                {"attribute names inside values", names.xml(), 1},
                {"long texts", longOne.xml(), 2}};
    for (const auto& r : rows) {
        SCOPED_TRACE(r.name);
        clsSchedule copy;
        copy.setXml(r.text);
        EXPECT_TRUE(copy.ReadProblems().isEmpty());
        EXPECT_EQ(copy.Shifts()->Count(), r.shifts);
        EXPECT_EQ(copy.xml(), r.text);
    }
}

TEST(ScheduleXml, TextsThatChangeNothing)
{
    clsSchedule s = twoShiftSchedule();
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
    EXPECT_EQ(s.title(), QStringLiteral("T"));
    EXPECT_EQ(s.Initials(), QString());
    EXPECT_EQ(s.Description(), QStringLiteral("D"));
    ASSERT_EQ(s.Shifts()->Count(), 1);
    const auto sh = s.Shifts()->Item(1);
    EXPECT_EQ(sh->Sequence(), QString());
    EXPECT_EQ(sh->SequenceLength(), 0);
    ASSERT_EQ(sh->Platoons()->Count(), 1);
    EXPECT_EQ(sh->Platoons()->Item(1)->Description(), QString());
    EXPECT_EQ(sh->Platoons()->Item(1)->Code(), QStringLiteral("A"));
    EXPECT_EQ(sh->Platoons()->Item(1)->Color(), 255);

    EXPECT_EQ(s.ReadProblems(),
              QStringList({getValueMessage("clsSchedule"), getValueMessage("clsShift"),
                           getValueMessage("clsPlatoon")}));
    // The next read starts afresh.
    s.setXml(DefaultLine);
    EXPECT_TRUE(s.ReadProblems().isEmpty());
}

TEST(ScheduleXml, BadColourRaisesTypeMismatch)
{
    const struct {
        const char* name;
        const char* platoon;
        int error;
        int problems;
    } rows[] = {
        {"not hexadecimal", "<Platoon Description=\"P\" Code=\"A\" Color=\"GG\"/>",
         Err::TypeMismatch, 0},
        {"empty", "<Platoon Description=\"P\" Code=\"A\" Color=\"\"/>", Err::TypeMismatch, 0},
        {"with a prefix", "<Platoon Description=\"P\" Code=\"A\" Color=\"&HFF\"/>",
         Err::TypeMismatch, 0},
        {"missing", "<Platoon Description=\"P\" Code=\"A\"/>", Err::TypeMismatch, 1},
        {"beyond 32 bits", "<Platoon Description=\"P\" Code=\"A\" Color=\"100000000\"/>",
         Err::Overflow, 0},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        clsSchedule s = twoShiftSchedule();
        const auto shifts = s.Shifts();
        const QString text =
            QStringLiteral("<Schedule Title=\"New\" Initials=\"\" Description=\"\">"
                           "<Shift Title=\"\" Initials=\"\" Description=\"\" Sequence=\"1\">") +
            QLatin1String(row.platoon) + QStringLiteral("</Shift></Schedule>");
        EXPECT_EQ(errorOf([&] { s.setXml(text); }), row.error);
        EXPECT_EQ(s.Shifts(), shifts) << "Shifts stays as it was";
        EXPECT_EQ(s.title(), QStringLiteral("New"))
            << "fields read before the error keep their values";
        EXPECT_EQ(static_cast<int>(s.ReadProblems().size()), row.problems)
            << "problems met before the error stay with the read";
    }
}

TEST(ScheduleXml, UnfinishedElementsRaise)
{
    clsSchedule s = twoShiftSchedule();
    const auto shifts = s.Shifts();
    // A shift without its end tag: the title is read, Shifts stays.
    EXPECT_EQ(errorOf([&] {
                  s.setXml(QStringLiteral(
                      "<Schedule Title=\"New\" Initials=\"\" Description=\"\">"
                      "<Shift Title=\"\" Initials=\"\" Description=\"\" Sequence=\"1\">"
                      "</Schedule>"));
              }),
              Err::InvalidCall);
    EXPECT_EQ(s.title(), QStringLiteral("New"));
    EXPECT_EQ(s.Shifts(), shifts);
    // A start tag cut short changes nothing.
    EXPECT_EQ(errorOf([&] { s.setXml(QStringLiteral("<Schedule Title=\"Cut")); }),
              Err::InvalidCall);
    EXPECT_EQ(s.title(), QStringLiteral("New"));
    // A platoon cut short: the platoons before it stay with the shift.
    clsShift sh;
    QStringList problems;
    EXPECT_EQ(errorOf([&] {
                  sh.setXml(QStringLiteral(
                                "<Shift Title=\"\" Initials=\"\" Description=\"\" Sequence=\"1\">"
                                "<Platoon Description=\"P\" Code=\"A\" Color=\"1\"/><Platoon"),
                            problems);
              }),
              Err::InvalidCall);
    EXPECT_EQ(sh.Platoons()->Count(), 1);
    EXPECT_TRUE(problems.isEmpty());
}

TEST(ScheduleXml, SchedXmlLookups)
{
    const struct {
        const char* name;
        QString text;
        QString title;
        QString description;
    } rows[] = {
        {"default schedule", DefaultLine, QStringLiteral("Tolvar Fire Department"),
         QStringLiteral("24-Hour Shift")},
        {"shift values never taken",
         QStringLiteral(
             "<Schedule Initials=\"\"><Shift Title=\"Shift title\" Description=\"Shift d\" "
             "Sequence=\"1\"></Shift></Schedule>"),
         QString(), QString()},
        {"no attributes at all", QStringLiteral("<Schedule></Schedule>"), QString(), QString()},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        clsSchedXml entry;
        entry.setXml(row.text);
        EXPECT_EQ(entry.GetTitle(), row.title);
        EXPECT_EQ(entry.GetDescription(), row.description);
        EXPECT_EQ(entry.xml(), row.text);
    }
}
