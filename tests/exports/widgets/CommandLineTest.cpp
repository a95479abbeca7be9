// The real program run the way a script runs it: no display of any kind.
#include "exports/IcsReadBack.h"
#include "support/FileBytes.h"
#include "support/Poppler.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

struct Finished {
    int code = -1;
    QString out, err;
};

class CommandLine : public ::testing::Test {
protected:
    void SetUp() override
    {
        env = QProcessEnvironment::systemEnvironment();
        for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"})
            env.remove(QString::fromLatin1(name));
        env.insert(QStringLiteral("HOME"), home.path());
        env.insert(QStringLiteral("XDG_CONFIG_HOME"), home.path() + QStringLiteral("/config"));
        env.insert(QStringLiteral("XDG_DATA_HOME"), home.path() + QStringLiteral("/data"));
        env.insert(QStringLiteral("XDG_RUNTIME_DIR"), runtime.path());
    }
    Finished run(const QStringList& arguments)
    {
        QProcess p;
        p.setProcessEnvironment(env);
        p.start(QStringLiteral(TARNWELL_PROGRAM), arguments);
        EXPECT_TRUE(p.waitForFinished(20000));
        return {p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1,
                QString::fromUtf8(p.readAllStandardOutput()),
                QString::fromUtf8(p.readAllStandardError())};
    }
    QString write(const QString& name, const QByteArray& content)
    {
        const QString path = home.path() + QLatin1Char('/') + name;
        QDir().mkpath(QFileInfo(path).path());
        QFile f(path);
        EXPECT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(content);
        return path;
    }
    // The user's settings with a 7-day period whose runs start on 1 January 1970 + 7k.
    QString writePeriodSettings()
    {
        return write(QStringLiteral("config/TarnwellFree/TarnwellFree.ini"),
                     "[Settings]\nSpecialPeriodLength=7\nSpecialPeriodOffset=2\n"
                     "SpecialPeriodName=Pay Period\n");
    }

    QTemporaryDir home, runtime;
    QProcessEnvironment env;
};

} // namespace

TEST_F(CommandLine, HelpAndVersion)
{
    const Finished help = run({"--help"});
    EXPECT_EQ(help.code, 0);
    for (const char* option :
         {"--export-ics <FILE>", "--export-pdf <FILE>", "--print-month <YYYY-MM>", "--schedule",
          "--shift", "--platoon", "--from", "--start", "--hours", "--months", "--landscape"})
        EXPECT_TRUE(help.out.contains(QString::fromLatin1(option))) << option;
    EXPECT_EQ(run({"--version"}).out, QStringLiteral("Tarnwell Free 1.0.0\n"));
}

TEST_F(CommandLine, PrintMonthOfTheBuiltInScheduleByHand)
{
    const std::pair<const char*, QStringList> rows[] = {
        {"1970-01",
         {"1970-01-01 A Platoon", "1970-01-02 B Platoon", "1970-01-09 C Platoon",
          "1970-01-31 B Platoon"}},
        {"2000-01", {"2000-01-01 C Platoon"}},
        {"2026-12",
         {"2026-12-05 A Platoon", "2026-12-06 B Platoon", "2026-12-07 C Platoon",
          "2026-12-31 B Platoon"}},
    };
    for (const auto& [month, expected] : rows) {
        const Finished r = run({"--print-month", month});
        EXPECT_EQ(r.code, 0) << r.err.toStdString();
        const QStringList lines = r.out.split(QLatin1Char('\n'), Qt::SkipEmptyParts);
        EXPECT_EQ(lines.size(), 31);
        for (const QString& line : expected)
            EXPECT_TRUE(lines.contains(line)) << line.toStdString();
    }
}

TEST_F(CommandLine, ReadsThePeriodAndScheduleButWritesNoSettingsAndTakesNoLock)
{
    const QString ini = writePeriodSettings();
    const QByteArray stored = readBytes(ini);
    const Finished r = run({"--print-month", "2009-10"});
    EXPECT_EQ(r.code, 0) << r.err.toStdString();
    // The worked example of the period: 8 to 14 October 2009 filled.
    for (const char* line : {"2009-10-07 A Platoon\n", "2009-10-08 C Platoon (Pay Period)\n",
                             "2009-10-14 B Platoon (Pay Period)\n", "2009-10-15 C Platoon\n"})
        EXPECT_TRUE(r.out.contains(QString::fromLatin1(line))) << line;

    const QString two = write(
        QStringLiteral("two.xml"),
        R"(<Schedule Title="Harbor" Initials="H" Description="d"><Shift Title="Days" Initials="D" )"
        R"(Description="Days" Sequence="1"><Platoon Description="Red" Code="R" Color="FF"/></Shift>)"
        R"(<Shift Title="Nights" Initials="N" Description="Nights" Sequence="120">)"
        R"(<Platoon Description="Blue" Code="U" Color="FF0000"/><Platoon Description="Gold" Code="Y" )"
        R"(Color="D7FF"/></Shift></Schedule>)"
        "\r\n");
    // 1 January 1970 uses the second character, so "120" gives Y, off, U.
    const Finished second = run({"--print-month", "1970-01", "--schedule", two, "--shift", "2"});
    EXPECT_EQ(second.code, 0) << second.err.toStdString();
    EXPECT_TRUE(second.out.startsWith(
        QStringLiteral("1970-01-01 Y Gold\n1970-01-02 -\n1970-01-03 U Blue\n")));

    EXPECT_EQ(readBytes(ini), stored);
    EXPECT_EQ(QDir(home.path() + QStringLiteral("/config"))
                  .entryList(QDir::AllEntries | QDir::NoDotAndDotDot),
              QStringList({"TarnwellFree"}));
    EXPECT_TRUE(QDir(runtime.path()).isEmpty());
}

TEST_F(CommandLine, ExportIcsWritesWhatTheDialogWrites)
{
    writePeriodSettings();
    env.insert(QStringLiteral("TZ"), QStringLiteral("Europe/Berlin"));
    const QString file = home.path() + QStringLiteral("/b.ics");
    const Finished r = run({"--export-ics", file, "--platoon", "B", "--from", "2026-12-05",
                            "--start", "6:30", "--hours", "12"});
    EXPECT_EQ(r.code, 0) << r.err.toStdString();
    const QByteArray text = readBytes(file);
    EXPECT_TRUE(text.contains("\r\nDTSTART;TZID=Europe/Berlin:20261206T063000\r\n"));
    const QString b = QStringLiteral(" 06:30 12 B Platoon - Tolvar Fire Department");
    EXPECT_EQ(dayLines(readBack(text, QDate(2026, 12, 13))),
              QStringList({"6" + b, "8" + b, "13" + b, "10 all-day 168 Pay Period"}));
}

TEST_F(CommandLine, ExportPdfWritesTheWallCalendarPage)
{
    const QString file = home.path() + QStringLiteral("/wall.pdf");
    const Finished r =
        run({"--export-pdf", file, "--months", "12", "--from", "2027-01", "--landscape"});
    EXPECT_EQ(r.code, 0) << r.err.toStdString();
    const auto info = poppler("pdfinfo", {file});
    if (!info)
        GTEST_SKIP() << "pdfinfo (poppler-utils) is not installed";
    const PdfInfo page = parsePdfInfo(*info);
    EXPECT_EQ(page.pages, 1);
    EXPECT_GT(page.width, page.height);
    // Full month names: the first month has no navigation arrows to make room for.
    const QString text = poppler("pdftotext", {file, "-"}).value_or(QString());
    for (const char* expected : {"Tolvar Fire Department", "January 2027", "December 2027",
                                 "A Platoon", "C Platoon", "24-Hour Shift"})
        EXPECT_TRUE(text.contains(QString::fromLatin1(expected))) << expected;
    EXPECT_FALSE(text.contains(QStringLiteral("2026")));
}

TEST_F(CommandLine, BadArgumentsAndFailuresSayWhyOnStandardError)
{
    const QString f = home.path() + QStringLiteral("/never.ics");
    const QString pdf = home.path() + QStringLiteral("/never.pdf");
    const QString garbage = write(QStringLiteral("garbage.xml"), "not a schedule\r\n");
    const struct {
        QStringList arguments;
        int code;
        const char* message;
    } rows[] = {
        {{"--bogus"}, 2, "Unknown option 'bogus'"},
        {{"--schedule", garbage}, 2, "No command given"},
        {{"--print-month", "2026-13"}, 2, "as YYYY-MM"},
        {{"--print-month", "1969-12"}, 2, "starts in January 1970"},
        {{"--print-month", "2026-01", "--platoon", "A"}, 2, "does not belong to --print-month"},
        {{"--print-month", "2026-01", "--shift", "3"}, 2, "1 or 2"},
        {{"--export-ics"}, 2, "Missing value"},
        {{"--export-ics", f, "--print-month", "2026-01"}, 2, "only one"},
        {{"--export-ics", f, "--from", "1969-12-31"}, 2, "before 1 January 1970"},
        {{"--export-ics", f, "--hours", "169"}, 2, "from 0 to 168"},
        {{"--export-ics", f, "--start", "7h"}, 2, "as HH:MM"},
        {{"--print-month", "2026-01", "--shift", "2"}, 1, "no shift 2"},
        {{"--export-ics", f, "--platoon", "Z"}, 1, "no platoon \"Z\" (its platoons: A, B, C)"},
        {{"--print-month", "2026-01", "--schedule", f}, 1, "does not exist"},
        {{"--export-ics", f, "--schedule", garbage}, 1, "could not be used"},
        {{"--export-ics", home.path() + "/no/folder.ics"}, 1, "Could not write"},
        {{"--export-pdf", pdf, "--months", "5"}, 2, "1, 2, 3, 4, 6 or 12"},
        {{"--export-pdf", pdf, "--from", "2027-01-01"}, 2, "as YYYY-MM"},
        {{"--export-pdf", pdf, "--hours", "12"}, 2, "does not belong to --export-pdf"},
        {{"--print-month", "2026-01", "--landscape"}, 2, "does not belong to --print-month"},
        {{"--export-pdf", pdf, "--shift", "both"}, 1, "needs a schedule with two shifts"},
        {{"--export-pdf", home.path() + "/no/folder.pdf"}, 1, "Cannot write"},
    };
    for (const auto& row : rows) {
        const Finished r = run(row.arguments);
        EXPECT_EQ(r.code, row.code) << row.message;
        EXPECT_TRUE(r.err.contains(QString::fromLatin1(row.message))) << r.err.toStdString();
        EXPECT_TRUE(r.out.isEmpty()) << row.message;
    }
    EXPECT_FALSE(QFile::exists(f) || QFile::exists(pdf));
}
