#pragma once
// The main window under test: fake services, a temporary settings file and
// data folder, a pinned today, and helpers to build schedules and files.
#include "mainwindow/PicturePane.h"
#include "mainwindow/frmCal.h"
#include "model/DayNumber.h"
#include "model/clsPlatoon.h"
#include "model/clsSchedule.h"
#include "model/clsShift.h"
#include "monthcontrol/ctlMonth.h"
#include "platform/ISettingsStore.h"
#include "support/FakeDialogs.h"
#include "support/FakeMessageBox.h"
#include "support/FakeTray.h"
#include "support/FileBytes.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QTimer>
#include <functional>
#include <gtest/gtest.h>
#include <memory>
#include <vector>

struct PlatoonDef {
    const char* code;
    const char* description;
    int32_t color;
};

struct ShiftDef {
    const char* title;
    const char* initials;
    const char* description;
    const char* sequence;
    std::vector<PlatoonDef> platoons;
};

inline std::shared_ptr<clsSchedule> MakeSchedule(const QString& title,
                                                 const std::vector<ShiftDef>& shifts)
{
    auto s = std::make_shared<clsSchedule>();
    s->setTitle(title);
    s->setInitials(QStringLiteral("SI"));
    s->setDescription(title + QStringLiteral(" description"));
    for (const auto& def : shifts) {
        auto shift = std::make_shared<clsShift>();
        shift->setTitle(QString::fromUtf8(def.title));
        shift->setInitials(QString::fromUtf8(def.initials));
        shift->setDescription(QString::fromUtf8(def.description));
        shift->setSequence(QString::fromUtf8(def.sequence));
        for (const auto& p : def.platoons) {
            auto platoon = std::make_shared<clsPlatoon>();
            platoon->setCode(QString::fromUtf8(p.code));
            platoon->setDescription(QString::fromUtf8(p.description));
            platoon->setColor(p.color);
            shift->Platoons()->Add(platoon);
        }
        s->Shifts()->Add(shift);
    }
    return s;
}

// Two shifts whose four platoon colours differ from each other and from black.
inline std::shared_ptr<clsSchedule> TwoShiftSchedule()
{
    const std::vector<PlatoonDef> days{{"R", "Red", 0x0000FF}, {"G", "Green", 0x00C000}},
        nights{{"U", "Blue", 0xFF0000}, {"M", "Magenta", 0xFF00FF}};
    return MakeSchedule(
        QStringLiteral("Harbor Station"),
        {{"Day Shift", "DS", "Days", "12", days}, {"Night Shift", "NS", "Nights", "211", nights}});
}

// Acts on the next modal window once it runs its own event loop, so no test waits for a user.
// Each poll owns a copy of the action: nothing is left behind once it has acted.
inline void onNextModal(std::function<void(QWidget*)> act, int triesLeft = 500)
{
    QTimer::singleShot(triesLeft == 500 ? 0 : 10, [act, triesLeft] {
        if (QWidget* modal = QApplication::activeModalWidget())
            act(modal);
        else if (triesLeft > 0)
            onNextModal(act, triesLeft - 1);
    });
}

class MainWindowTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        services().dialogs = dialogs;
        services().tray = tray;
        tray->available = false;
        fx.clockFake->setToday(QDate(2026, 12, 6));
        QApplication::setQuitOnLastWindowClosed(true);
    }

    // Entries written as "Section/Key=value".
    void putSettings(const QStringList& entries)
    {
        for (const QString& e : entries)
            fx.settingsStore->SaveSetting(e.section('/', 0, 0),
                                          e.section('/', 1).section('=', 0, 0), e.section('=', 1));
        fx.settingsStore->sync();
    }
    // As the next run of the program would read it.
    QString storedSetting(const char* section, const QString& key)
    {
        return storedAs({QString::fromLatin1(section) + '/' + key}).at(0).section('=', 1);
    }
    // What is stored under the keys of such entries, in the same form.
    QStringList storedAs(const QStringList& entries)
    {
        fx.reopenSettings();
        QStringList found;
        for (const QString& e : entries) {
            const QString key = e.section('=', 0, 0);
            found << key + '=' +
                         fx.settingsStore->GetSetting(key.section('/', 0, 0), key.section('/', 1),
                                                      "<none>");
        }
        return found;
    }
    void writeScheduleFile(const QByteArray& content)
    {
        QDir().mkpath(fx.dataFolder());
        QFile f(fx.dataFolder() + QStringLiteral("/myschedule.xml"));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(content);
    }
    std::unique_ptr<frmCal> makeForm() { return std::make_unique<frmCal>(); }
    // What showing the window does to the calendar: this month, DateChange, Show.
    static void showCalendar(frmCal& f) { f.MonthControl()->UserControl_Show(); }
    // A shown window opens the notes file once it has painted; a test that
    // counts messages or fills the disk waits for that first.
    static void waitForNotes(frmCal& f)
    {
        for (int i = 0; i < 1000 && !f.Session().NotesOpened(); ++i)
            QApplication::processEvents();
        ASSERT_TRUE(f.Session().NotesOpened());
    }
    static void click(frmCal& f, const char* action)
    {
        QAction* a = f.MenuAction(QString::fromLatin1(action));
        ASSERT_NE(a, nullptr) << action;
        a->trigger();
    }
    static std::shared_ptr<clsDayBox> cell(frmCal& f, int i)
    {
        return f.MonthControl()->Days().Item(i);
    }

    ScopedFakeUiServices fx;
    std::shared_ptr<FakeDialogs> dialogs = std::make_shared<FakeDialogs>();
    std::shared_ptr<FakeTray> tray = std::make_shared<FakeTray>();
};
