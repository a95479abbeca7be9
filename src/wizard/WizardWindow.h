#pragma once
// What every wizard step window shares: it is a modeless window owned by the
// main window, works on the session's live schedule, and runs the menu guard
// as it unloads.
#include "session/CalendarSession.h"
#include "wizard/WizardHost.h"

#include <QDialog>
#include <QPointer>
#include <cstdint>
#include <memory>

class QAction;
class QLineEdit;
class QPushButton;
class clsSchedule;
class clsShift;

class WizardWindow : public QDialog {
    Q_OBJECT
public:
    WizardWindow(WizardHost& host, const char* name, const QString& caption);
    // Nothing once the main window is going.
    WizardHost* Host() const { return host_; }
    // Closed and waiting to be deleted.
    bool Unloaded() const { return unloaded_; }

protected:
    std::shared_ptr<clsSchedule> schedule() const;
    int shiftCount() const;
    QAction* createScheduleItem() const;
    void disableCreateSchedule();
    // An edit of the live schedule: DataChanged when it changed it, and a full
    // refresh of the main window either way.
    void markChanged(bool changed = true);
    // The step's shift by the creation rule: outside 1..2, or when the shift
    // cannot be made, nothing (and the window unloads itself); a missing
    // shift is appended with its defaults.
    std::shared_ptr<clsShift> takeShift(int16_t index);
    QPushButton* button(const char* name, const QString& caption);
    // Entering the box selects its whole text.
    void selectAllOnEntry(QLineEdit* box);
    // Runs as the window unloads, however it is closed.
    virtual void Form_Unload();

    void closeEvent(QCloseEvent* event) override;
    void reject() override { close(); }
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QPointer<WizardHost> host_;
    bool unloaded_ = false;
};

// The one loaded window of a kind owned by the main window, loaded when it
// is not (a window is loaded once and shared, as every caller expects).
template <class W> W* LoadForm(WizardHost& host)
{
    for (W* w : host.Window().findChildren<W*>(QString(), Qt::FindDirectChildrenOnly))
        if (!w->Unloaded())
            return w;
    return new W(host);
}
