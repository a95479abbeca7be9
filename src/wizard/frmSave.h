#pragma once
// What to do with a modified schedule: keep it as My Schedule, add it to the
// list, or let it go. Shown modally by the main window.
#include <QDialog>
#include <QPointer>
#include <array>

class CalendarSession;
class QRadioButton;

class frmSave : public QDialog {
    Q_OBJECT
public:
    // The owner is the main window.
    frmSave(QWidget* owner, CalendarSession& session);

    // What OK did: nothing yet (closed by its close box), kept or let go, or
    // a save that did not complete (the schedule is still unsaved).
    enum class Outcome { NotApplied, Done, SaveFailed };
    // Shows the window modally and returns what it did.
    static Outcome Ask(QWidget* owner, CalendarSession& session);
    Outcome Result() const { return outcome_; }

private:
    void cmdOK_Click();
    void SaveAsMySchedule();

    QPointer<QWidget> owner_;
    CalendarSession& session_;
    std::array<QRadioButton*, 3> OptSave{};
    Outcome outcome_ = Outcome::NotApplied;
};
