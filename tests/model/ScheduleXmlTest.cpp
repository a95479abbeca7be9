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
    EXPECT_EQ(DefaultSchedule()->xml(), DefaultLine);
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

TEST(ScheduleXml, DefaultScheduleIsNewEachTime)
{
    auto first = DefaultSchedule();
    first->Shifts()->Item(1)->Platoons()->Item(1)->setCode(QStringLiteral("Z"));
    first->setTitle(QStringLiteral("Changed"));
    EXPECT_EQ(DefaultSchedule()->xml(), DefaultLine);
}

TEST(ScheduleXml, ColorsInHexadecimal)
{
    const struct {
        int32_t color;
        const char* written;
    } rows[] = {
        {0, "0"},
        {255, "FF"},
        {65280, "FF00"},
        {65535, "FFFF"},
        {0x00ABCDEF, "ABCDEF"},
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

TEST(ScheduleXml, RoundTripOfTwoShifts)
{
    const clsSchedule original = twoShiftSchedule();
    clsSchedule copy;
    copy.setXml(original.xml());
    EXPECT_TRUE(copy.ReadProblems().isEmpty());

    // The writer's exact form is pinned by WriterForms, so equal texts mean
    // equal fields, shift order and platoon order.
    ASSERT_EQ(copy.Shifts()->Count(), 2);
    EXPECT_EQ(copy.Shifts()->Item(2)->Platoons()->Item(2)->Color(), -1);
    EXPECT_EQ(copy.Shifts()->Item(1)->SequenceLength(), 5);
    EXPECT_EQ(copy.xml(), original.xml());
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

TEST(ScheduleXml, ScheduleWithoutShifts)
{
    clsSchedule s = twoShiftSchedule();
    s.setXml(QStringLiteral("<Schedule Title=\"T\" Initials=\"I\" Description=\"D\"></Schedule>"));
    EXPECT_EQ(s.title(), QStringLiteral("T"));
    EXPECT_EQ(s.Shifts()->Count(), 0);
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

// Values holding another attribute's name once spoiled the fields after them.
TEST(ScheduleXml, AttributeNamesInsideValues)
{
    clsSchedule s;
    s.setTitle(QStringLiteral("Description Title= Initials= x Description="));
    s.setInitials(QStringLiteral("Title="));
    s.setDescription(QStringLiteral("Real description"));
    auto sh = std::make_shared<clsShift>();
    sh->setTitle(QStringLiteral(" Sequence= <Platoon Code="));
    sh->setDescription(QStringLiteral("Sequence"));
    sh->setSequence(QStringLiteral("12"));
    sh->Platoons()->Add(platoon(QStringLiteral("Code Color= Code="), QStringLiteral("Q"), 0x1234));
    sh->Platoons()->Add(platoon(QStringLiteral("Second"), QStringLiteral("Color="), 7));
    s.Shifts()->Add(sh);

    clsSchedule back;
    back.setXml(s.xml());
    EXPECT_TRUE(back.ReadProblems().isEmpty());
    EXPECT_EQ(back.title(), s.title());
    EXPECT_EQ(back.Initials(), s.Initials());
    EXPECT_EQ(back.Description(), QStringLiteral("Real description"));
    ASSERT_EQ(back.Shifts()->Count(), 1);
    const auto b = back.Shifts()->Item(1);
    EXPECT_EQ(b->title(), sh->title());
    EXPECT_EQ(b->Sequence(), QStringLiteral("12"));
    ASSERT_EQ(b->Platoons()->Count(), 2);
    EXPECT_EQ(b->Platoons()->Item(1)->Description(), QStringLiteral("Code Color= Code="));
    EXPECT_EQ(b->Platoons()->Item(1)->Code(), QStringLiteral("Q"));
    EXPECT_EQ(b->Platoons()->Item(1)->Color(), 0x1234);
    EXPECT_EQ(b->Platoons()->Item(2)->Code(), QStringLiteral("Color="));
    EXPECT_EQ(back.xml(), s.xml());

    clsSchedXml entry;
    entry.setXml(s.xml());
    EXPECT_EQ(entry.GetTitle(), s.title());
    EXPECT_EQ(entry.GetDescription(), QStringLiteral("Real description"));
}

// Text positions were once 16-bit; a long schedule must read whole.
TEST(ScheduleXml, LongTextReads)
{
    clsSchedule s;
    s.setDescription(QString(20000, QLatin1Char('d')));
    s.Shifts()->Add(shift(QStringLiteral("Long"), QString(30000, QLatin1Char('1')),
                          {platoon(QStringLiteral("Only"), QStringLiteral("O"), 9)}));
    s.Shifts()->Add(shift(QStringLiteral("After"), QStringLiteral("1"),
                          {platoon(QStringLiteral("Late"), QStringLiteral("L"), 10)}));
    const QString text = s.xml();
    ASSERT_GT(text.size(), 40000);

    clsSchedule back;
    back.setXml(text);
    EXPECT_TRUE(back.ReadProblems().isEmpty());
    EXPECT_EQ(back.Description().size(), 20000);
    ASSERT_EQ(back.Shifts()->Count(), 2);
    EXPECT_EQ(back.Shifts()->Item(1)->SequenceLength(), 30000);
    EXPECT_EQ(back.Shifts()->Item(2)->Platoons()->Item(1)->Code(), QStringLiteral("L"));
    EXPECT_EQ(back.xml(), text);
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
        {"empty values",
         clsSchedule().xml().replace(QStringLiteral("\"Title\""), QStringLiteral("\"\"")),
         QString(), QStringLiteral("Description")},
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
