#pragma once
// What the wizard's steps need of the main window, which owns this: the
// session whose schedule they edit in place, the window that owns them, the
// first day the calendar shows, the command that starts the wizard and
// whether the debug view is on. The steps know nothing else of it.
#include <QObject>
#include <QPointer>
#include <functional>

class CalendarSession;
class QAction;
class QWidget;

class WizardHost : public QObject {
    Q_OBJECT
public:
    WizardHost(QWidget& window, CalendarSession& session, QAction& createSchedule,
               std::function<double()> firstDayShown, std::function<bool()> debugShown);

    QWidget& Window() const { return window_; }
    CalendarSession& Session() const { return session_; }
    // File > Create/Modify Schedule, disabled while a step is open.
    QAction* CreateScheduleAction() const { return createSchedule_; }
    double FirstDayShown() const { return firstDayShown_(); }
    bool DebugShown() const { return debugShown_(); }
    // Brings the calendar forward with its days under the keys.
    void FocusCalendar() const
    {
        if (focusCalendar_)
            focusCalendar_();
    }
    void setFocusCalendar(std::function<void()> f) { focusCalendar_ = std::move(f); }

private:
    QWidget& window_;
    CalendarSession& session_;
    QPointer<QAction> createSchedule_;
    std::function<double()> firstDayShown_;
    std::function<bool()> debugShown_;
    std::function<void()> focusCalendar_;
};
