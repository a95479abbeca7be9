#pragma once
// The schedule list (favourites): its entries as read from the list file,
// and the addition of a schedule to it.
#include "model/clsSchedXml.h"

#include <QDialog>
#include <QPointer>
#include <QString>
#include <memory>
#include <optional>
#include <vector>

class QLabel;
class QListWidget;
class clsSchedule;
class frmCal;

class frmOpen : public QDialog {
    Q_OBJECT
public:
    // Loading reads the list file.
    explicit frmOpen(frmCal* owner);

    enum class AddResult { Added, Skipped, Failed };
    // Adds the schedule to the list and the file, then unloads the window.
    // The main window's DataChanged is cleared only when the file was written.
    AddResult AddItem(const clsSchedule& schedule);

    const std::vector<clsSchedXml>& Entries() const { return Entries_; }
    QString Path() const { return path_; }

private:
    void Form_Load();
    void FillLists();

    QPointer<frmCal> owner_;
    QString path_;
    std::vector<clsSchedXml> Entries_;
    // The file is there but could not be read: it must not be replaced.
    bool unreadable_ = false;
    QListWidget* List1 = nullptr;
    QListWidget* List2 = nullptr;
    QLabel* Label1 = nullptr;
};
