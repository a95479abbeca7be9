#pragma once
// The schedule list (favourites): its entries as read from the list file,
// their addition and deletion, and the window that shows them and brings one
// back onto the calendar.
#include "model/clsSchedXml.h"

#include <QDialog>
#include <QPointer>
#include <QString>
#include <memory>
#include <optional>
#include <vector>

class QLabel;
class QListWidget;
class QPushButton;
class clsSchedule;
class frmCal;

class frmOpen : public QDialog {
    Q_OBJECT
public:
    // Loading reads the list file.
    explicit frmOpen(frmCal* owner);

    // The open Favorites window of the main window, if any.
    static frmOpen* Shown(frmCal* owner);
    // Shows the window modeless (the open one when there is one).
    static frmOpen* ShowFavorites(frmCal* owner);

    enum class AddResult { Added, Skipped, Failed };
    // Adds the schedule to the list and the file, then unloads the window
    // unless it is shown, whose lists then follow the file.
    // The main window's DataChanged is cleared only when the file was written.
    AddResult AddItem(const clsSchedule& schedule);
    // AddItem on the open window, or on one loaded for it.
    static AddResult AddToList(frmCal* owner, const clsSchedule& schedule);

    const std::vector<clsSchedXml>& Entries() const { return Entries_; }
    QString Path() const { return path_; }

private:
    void Form_Load();
    void FillLists();
    // The rows of the entry at that position (1-based).
    void AddRows(size_t entry);
    // The entry position of the selected row (1-based), or 0.
    int SelectedEntry() const;
    void List1_Click();
    void List2_Click();
    void cmdDelete_Click();
    void cmdOK_Click();
    // Writes Entries; says why when it cannot and returns false.
    bool WriteList(const QString& what);
    // Whether the main window may take another schedule now; says why not.
    bool MayReplaceSchedule();

    QPointer<frmCal> owner_;
    QString path_;
    std::vector<clsSchedXml> Entries_;
    // The file is there but could not be read: it must not be replaced.
    bool unreadable_ = false;
    bool syncing_ = false;
    QListWidget* List1 = nullptr;
    QListWidget* List2 = nullptr;
    QLabel* Label1 = nullptr;
    QPushButton* cmdDelete = nullptr;
    QPushButton* cmdOK = nullptr;
    QPushButton* cmdCancel = nullptr;
};
