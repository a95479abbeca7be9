// The real program run the way a script runs it: no display of any kind.
#include "exports/IcsReadBack.h"
#include "model/DayNumber.h"
#include "storage/NotesStore.h"
#include "support/DataFiles.h"
#include "support/FileSizeLimit.h"
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
    // The program, or with a shell command line "$0 $@ ..." around it.
    Finished run(const QStringList& arguments, const QString& shell = QString())
    {
        QProcess p;
        p.setProcessEnvironment(env);
        p.setWorkingDirectory(home.path());
        if (shell.isEmpty())
            p.start(QStringLiteral(TARNWELL_PROGRAM), arguments);
        else
            p.start(QStringLiteral("/bin/sh"),
                    QStringList{"-c", shell, QStringLiteral(TARNWELL_PROGRAM)} + arguments);
        EXPECT_TRUE(p.waitForFinished(20000));
        return {p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1,
                QString::fromUtf8(p.readAllStandardOutput()),
                QString::fromUtf8(p.readAllStandardError())};
    }
    // Copies a data file into the home folder.
    QString put(const QString& data, const QString& name)
    {
        const QString path = home.path() + QLatin1Char('/') + name;
        QDir().mkpath(QFileInfo(path).path());
        EXPECT_TRUE(QFile::copy(dataPath("exports/data/" + data), path));
        return path;
    }
    // The user's notes file where the program looks for it: XDG_DATA_HOME above.
    QString notesFile() const
    {
        return home.path() + QStringLiteral("/data/TarnwellFree/notes.db");
    }
    void addNotes(const std::vector<NoteEntry>& entries)
    {
        const QString folder = QFileInfo(notesFile()).path();
        QDir().mkpath(folder);
        NotesStore store(folder);
        ASSERT_TRUE(store.IsOpen());
        for (const NoteEntry& e : entries)
            store.Add(e);
    }
    QTemporaryDir home, runtime;
    QProcessEnvironment env;
};

} // namespace

TEST_F(CommandLine, PrintMonthOfTheBuiltInScheduleByHand)
{
    QString december; // every day from the rotation's reference file
    for (const QStringList& row : dataRows(QStringLiteral("model/data/default_312123231.ref")))
        if (row[0].startsWith(QStringLiteral("2026-12")))
            december += row[0] + QStringLiteral(" Platoon\n");
    EXPECT_EQ(run({"--print-month", "2026-12"}).out, december);
    const Finished r = run({"--print-month", "1970-01"});
    EXPECT_EQ(r.code, 0) << r.err.toStdString();
    EXPECT_EQ(r.out.count(QLatin1Char('\n')), 31);
    for (const char* line : {"1970-01-01 A Platoon\n", "1970-01-02 B Platoon\n",
                             "1970-01-09 C Platoon\n", "1970-01-31 B Platoon\n"})
        EXPECT_TRUE(r.out.contains(QString::fromLatin1(line))) << line;
}

TEST_F(CommandLine, ReadsThePeriodAndScheduleButWritesNoSettingsAndTakesNoLock)
{
    // The user's settings with a 7-day period whose runs start on 1 January 1970 + 7k.
    const QString ini = put("period.ini", "config/TarnwellFree/TarnwellFree.ini");
    const QByteArray stored = readBytes(ini);
    // The calendar hides the period (no View check stored): so does the script, unless asked.
    EXPECT_FALSE(run({"--print-month", "2009-10"}).out.contains("Pay Period"));
    const Finished r = run({"--print-month", "2009-10", "--period"});
    EXPECT_EQ(r.code, 0) << r.err.toStdString();
    // The worked example of the period: 8 to 14 October 2009 filled.
    for (const char* line : {"2009-10-07 A Platoon\n", "2009-10-08 C Platoon (Pay Period)\n",
                             "2009-10-14 B Platoon (Pay Period)\n", "2009-10-15 C Platoon\n"})
        EXPECT_TRUE(r.out.contains(QString::fromLatin1(line))) << line;

    // 1 January 1970 uses the second character, so "2103" gives U, off, Y, M.
    const Finished second =
        run({"--print-month", "1970-01", "--schedule",
             dataPath(QStringLiteral("exports/data/harbor.xml")), "--shift", "2"});
    EXPECT_EQ(second.code, 0) << second.err.toStdString();
    EXPECT_TRUE(second.out.startsWith(QStringLiteral(
        "1970-01-01 U Blue\n1970-01-02 -\n1970-01-03 Y Gold\n1970-01-04 M Magenta\n")));

    EXPECT_EQ(readBytes(ini), stored);
    EXPECT_EQ(QDir(home.path() + QStringLiteral("/config"))
                  .entryList(QDir::AllEntries | QDir::NoDotAndDotDot),
              QStringList({"TarnwellFree"}));
    EXPECT_TRUE(QDir(runtime.path()).isEmpty());
}

TEST_F(CommandLine, ExportIcsWritesWhatTheDialogWrites)
{
    put("period.ini", "config/TarnwellFree/TarnwellFree.ini");
    env.insert(QStringLiteral("TZ"), QStringLiteral("Europe/Berlin"));
    const QString file = home.path() + QStringLiteral("/b.ics");
    // "b" is B: the only platoon it can mean.
    const Finished r = run({"--export-ics", file, "--platoon", "b", "--from", "2026-12-05",
                            "--start", "6:30", "--hours", "12", "--period"});
    EXPECT_EQ(r.code, 0) << r.err.toStdString();
    const QByteArray text = readBytes(file);
    EXPECT_TRUE(text.contains("\r\nDTSTART;TZID=Europe/Berlin:20261206T063000\r\n"));
    const QString b = QStringLiteral(" 06:30 12 B Platoon - Tolvar Fire Department");
    EXPECT_EQ(dayLines(readBack(text, QDate(2026, 12, 13))),
              QStringList({"6" + b, "8" + b, "13" + b, "10 all-day 168 Pay Period"}));
}

TEST_F(CommandLine, ExportPdfWritesTheWallCalendarPageOnThePaperAsked)
{
    const QString file = home.path() + QStringLiteral("/wall.pdf");
    // The locale's paper, A4 in the C locale; a named paper, turned or not.
    const std::tuple<QStringList, double, double> pages[] = {
        {{}, 595.28, 841.89},
        {{"--paper", "letter"}, 612, 792},
        {{"--paper", "Legal"}, 612, 1008},
        {{"--paper", "A3", "--landscape"}, 1190.55, 841.89},
    };
    env.insert(QStringLiteral("LC_ALL"), QStringLiteral("C"));
    for (const auto& [paper, width, height] : pages) {
        SCOPED_TRACE(paper.join(' ').toStdString());
        const Finished r =
            run(QStringList{"--export-pdf", file, "--months", "12", "--from", "2027-01"} + paper);
        EXPECT_EQ(r.code, 0) << r.err.toStdString();
        const auto info = poppler("pdfinfo", {file});
        if (!info)
            GTEST_SKIP() << "pdfinfo (poppler-utils) is not installed";
        const PdfInfo page = parsePdfInfo(*info);
        EXPECT_EQ(page.pages, 1);
        EXPECT_NEAR(page.width, width, 0.5);
        EXPECT_NEAR(page.height, height, 0.5);
    }
    // Full month names: the first month has no navigation arrows to make room for.
    const QString text = poppler("pdftotext", {file, "-"}).value_or(QString());
    for (const char* expected : {"Tolvar Fire Department", "January 2027", "December 2027",
                                 "A Platoon", "C Platoon", "24-Hour Shift"})
        EXPECT_TRUE(text.contains(QString::fromLatin1(expected))) << expected;
    EXPECT_FALSE(text.contains(QStringLiteral("2026")));
}

TEST_F(CommandLine, BadArgumentsAndFailuresSayWhyOnStandardError)
{
    put("garbage.xml", "garbage.xml");
    for (const QStringList& row : dataRows(QStringLiteral("exports/data/bad_arguments.txt"))) {
        SCOPED_TRACE(row.join(QLatin1Char('|')).toStdString());
        const Finished r = run(row.value(2).split(QLatin1Char(' ')));
        EXPECT_EQ(r.code, row.value(0).toInt());
        EXPECT_TRUE(r.err.contains(row.value(1))) << r.err.toStdString();
        EXPECT_TRUE(r.out.isEmpty());
    }
    EXPECT_FALSE(QFile::exists(home.path() + "/never.ics") ||
                 QFile::exists(home.path() + "/never.pdf"));
}

TEST_F(CommandLine, OutputThatCannotBeWrittenFailsWithItsCause)
{
    const QStringList month = {"--print-month", "2026-12"};
    // Standard output on a full device, or closed.
    for (const char* shell : {"exec \"$0\" \"$@\" >/dev/full", "exec \"$0\" \"$@\" >&-"}) {
        SCOPED_TRACE(shell);
        const Finished r = run(month, QString::fromLatin1(shell));
        EXPECT_EQ(r.code, 1);
        EXPECT_TRUE(r.err.startsWith("Could not write to standard output: "))
            << r.err.toStdString();
    }
    // A file system out of room for a file (the child inherits the limit): the old file stays.
    const QString ics = home.path() + "/a.ics";
    writeBytes(ics, "old");
    const FileSizeLimit full(100);
    const Finished r = run({"--export-ics", ics});
    EXPECT_EQ(r.code, 1);
    EXPECT_EQ(r.err, "Could not write " + ics + ": File too large\n");
    EXPECT_EQ(readBytes(ics), "old");
}

TEST_F(CommandLine, NotesGoIntoTheCalendarAndOntoTheirDaysLines)
{
    const auto day = [](int d) { return DayNumber::fromDate(QDate(2026, 12, d)); };
    addNotes({{day(1), NoteKind::Sick, "before the first date"},
              {day(5), NoteKind::Leave, "summer week"},
              {day(5), NoteKind::Note, "dentist"},
              {day(7), NoteKind::Trade, "covers my\nTuesday", "Smith"}});

    const Finished printed = run({"--print-month", "2026-12"});
    EXPECT_EQ(printed.code, 0) << printed.err.toStdString();
    const QStringList lines = printed.out.split('\n');
    EXPECT_EQ(lines.value(4).toStdString(),
              "2026-12-05 A Platoon \u2014 Leave: summer week; Note: dentist");
    EXPECT_EQ(lines.value(5).toStdString(), "2026-12-06 B Platoon");
    EXPECT_EQ(lines.value(6).toStdString(),
              "2026-12-07 C Platoon \u2014 Trade with Smith: covers my Tuesday");

    const QString file = home.path() + QStringLiteral("/notes.ics");
    const Finished exported =
        run({"--export-ics", file, "--notes", "--from", "2026-12-05", "--hours", "0"});
    EXPECT_EQ(exported.code, 0) << exported.err.toStdString();
    QStringList notes;
    for (const Occurrence& o : readBack(readBytes(file), QDate(2026, 12, 31)).occurrences)
        if (NoteKindFromName(o.category))
            notes << o.date.toString(Qt::ISODate) + ' ' + o.summary;
    EXPECT_EQ(notes.join('|').toStdString(),
              "2026-12-05 Leave: summer week|2026-12-05 Note: dentist|"
              "2026-12-07 Trade with Smith: covers my\nTuesday");
}

TEST_F(CommandLine, NotesWithoutANotesFileAddNothingAndMakeNone)
{
    const QString file = home.path() + QStringLiteral("/duty.ics");
    const Finished r = run({"--export-ics", file, "--notes", "--from", "2026-12-05"});
    EXPECT_EQ(r.code, 0) << r.err.toStdString();
    EXPECT_EQ(readBack(readBytes(file), QDate(2026, 12, 31)).events, 9); // the rotation's days
    EXPECT_FALSE(QFileInfo::exists(notesFile()));
}

TEST_F(CommandLine, ARefusedNotesFileFailsTheExportAndStaysAsItWas)
{
    const QByteArray bytes = "Leave on the 5th. No database, this.\n";
    QDir().mkpath(QFileInfo(notesFile()).path());
    writeBytes(notesFile(), bytes);
    const QString file = home.path() + QStringLiteral("/duty.ics");
    const Finished r = run({"--export-ics", file, "--notes"});
    EXPECT_EQ(r.code, 1);
    EXPECT_TRUE(r.err.startsWith("Nothing written: The notes file " + notesFile()))
        << r.err.toStdString();
    EXPECT_FALSE(QFileInfo::exists(file));
    EXPECT_EQ(readBytes(notesFile()), bytes);
}
