#pragma once
// The schedule list (favourites): its entries as read from the list file,
// their addition and deletion, and the window that shows them and brings one
// back onto the calendar.
#include "storage/ScheduleList.h"

#include <QDialog>
#include <QString>
#include <vector>

class CalendarSession;
class FavoriteRows;
class QLabel;
class QListView;
class QPushButton;
class clsSchedule;

class frmOpen : public QDialog {
    Q_OBJECT
public:
    // Loading reads the list file. The owner is the main window; showPath
    // shows the file's path (the debug view).
    frmOpen(QWidget* owner, bool showPath);

    // The open Favorites window of the main window, if any.
    static frmOpen* Shown(QWidget* owner);
    // Shows the window modeless (the open one when there is one); a new one
    // says so when its list cannot be read.
    static frmOpen* ShowFavorites(QWidget* owner, bool showPath);

    enum class AddResult { Added, Skipped, Failed };
    // Adds the schedule to the list file, through the open window when there
    // is one (its lists follow the file), asking first when one of the same
    // title and description is there. The session's DataChanged is cleared
    // only when the file was written.
    static AddResult AddToList(QWidget* owner, CalendarSession& session,
                               const clsSchedule& schedule);

    const std::vector<clsSchedXml>& Entries() const { return list_.Entries(); }
    QString Path() const { return list_.Path(); }

signals:
    // OK on an entry: the main window decides whether it may be opened
    // (lock, wizard, unsaved changes) and closes this window when it was.
    void OpenRequested(const QString& xml);

private:
    void Form_Load();
    void FillLists();
    // The entry position of the selected row (1-based), or 0.
    int SelectedEntry() const;
    void List1_Click();
    void List2_Click();
    void cmdDelete_Click();
    void cmdOK_Click();
    // The addition, on this window's list.
    AddResult AddItem(const clsSchedule& schedule);

    ScheduleList list_;
    bool syncing_ = false;
    FavoriteRows* titles_ = nullptr;
    FavoriteRows* descriptions_ = nullptr;
    QListView* List1 = nullptr;
    QListView* List2 = nullptr;
    QLabel* Label1 = nullptr;
    QPushButton* cmdDelete = nullptr;
    QPushButton* cmdOK = nullptr;
    QPushButton* cmdCancel = nullptr;
};
