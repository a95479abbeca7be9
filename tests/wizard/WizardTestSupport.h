#pragma once
// The wizard under test: the main window really shown, step windows found by
// their object names, buttons pressed and calendar days clicked as a user does.
#include "mainwindow/MainWindowTestSupport.h"
#include "monthcontrol/MonthTestSupport.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>

class WizardTest : public MainWindowTest {
protected:
    void TearDown() override
    {
        if (form) {
            form->setDataChanged(false); // no save choice while tearing down
            form->close();
        }
        form.reset();
        settle();
    }
    void showMain(std::shared_ptr<clsSchedule> schedule = nullptr)
    {
        form = makeForm();
        if (schedule)
            form->setSchedule(schedule);
        form->resize(900, 700);
        form->show();
        waitForNotes(*form);
        settle();
    }

public:
    // Posted events and deferred deletions of closed windows.
    static void settle()
    {
        QApplication::processEvents();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
    static QWidget* window(const char* name)
    {
        for (QWidget* w : QApplication::topLevelWidgets())
            if (w->objectName() == QLatin1String(name) && w->isVisible())
                return w;
        return nullptr;
    }
    template <class T> static T* control(const char* win, const char* name)
    {
        QWidget* w = window(win);
        EXPECT_NE(w, nullptr) << win << " is not open";
        T* c = w ? w->findChild<T*>(QString::fromLatin1(name)) : nullptr;
        EXPECT_NE(c, nullptr) << win << "." << name;
        return c;
    }
    static void press(const char* win, const char* name)
    {
        auto* b = control<QPushButton>(win, name);
        ASSERT_NE(b, nullptr);
        ASSERT_TRUE(b->isEnabled()) << win << "." << name << " is disabled";
        b->click();
        settle();
    }
    static void choose(const char* win, const char* name, int index)
    {
        if (auto* c = control<QComboBox>(win, name))
            c->setCurrentIndex(index);
        settle();
    }
    static void type(const char* win, const char* name, const QString& text)
    {
        if (auto* box = control<QLineEdit>(win, name)) {
            box->setFocus();
            box->selectAll();
            box->insert(text);
        }
    }
    // The save choice window, when it opens, answered with that option.
    static void answerSave(int option)
    {
        onNextModal([option](QWidget* w) {
            w->findChild<QRadioButton*>(QStringLiteral("OptSave_%1").arg(option))->click();
            w->findChild<QPushButton*>("cmdOK")->click();
        });
    }
    std::shared_ptr<clsDayBox> dayCell(const QDate& day) const
    {
        return cell(*form, 1 + int(DayNumber::fromDate(day) - form->MonthControl()->StartDate()));
    }
    // A click on the day's cell of the main calendar (the month shown must hold it);
    // two rows of title and weekday names come before the weeks.
    void clickDay(const QDate& day)
    {
        ctlMonth* m = form->MonthControl();
        const int offset = static_cast<int>(DayNumber::fromDate(day) - m->StartDate());
        ASSERT_TRUE(offset >= 0 && offset < 42) << day.toString().toStdString();
        clickAt(m, QRectF(cellPixels(*m, offset / 7 + 2, offset % 7)).center());
        settle();
    }

protected:
    void toPlatoonsStep()
    {
        click(*form, "mnuFileCreateSchedule");
        press("frmPick", "cmdNext");
    }
    void toRotationStep()
    {
        toPlatoonsStep();
        press("frmPlatoons", "cmdNext");
    }
    QString sequence(int shift = 1) const
    {
        return form->Schedule()->Shifts()->Item(shift)->Sequence();
    }
    bool createEnabled() const { return form->MenuAction("mnuFileCreateSchedule")->isEnabled(); }

    std::unique_ptr<frmCal> form;
};

inline std::shared_ptr<clsSchedule> OneShift(int platoons, const char* sequence)
{
    static const std::vector<PlatoonDef> all = {
        {"A", "Alpha", 0x0000FF}, {"B", "Bravo", 0x00C000}, {"C", "Charlie", 0xFF0000}};
    return MakeSchedule(QStringLiteral("Station"),
                        {{"Station", "SI", "Station description", sequence,
                          std::vector<PlatoonDef>(all.begin(), all.begin() + platoons)}});
}
