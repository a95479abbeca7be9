#pragma once
// File > Day Notes: the entries of one day, added, edited and removed in a
// list and stored together on OK.
#include "model/NoteEntry.h"
#include "session/NoteColors.h"

#include <QDialog>
#include <functional>
#include <vector>

class QLabel;
class QListWidget;
class QPushButton;

class frmDayNotes : public QDialog {
    Q_OBJECT
public:
    // Stores the day's entries as the list holds them; what it raises is
    // shown, and the window stays open with the user's edits.
    using Save = std::function<void(const std::vector<NoteEntry>&)>;

    frmDayNotes(QWidget* owner, double day, std::vector<NoteEntry> entries, NoteColors colors,
                Save save);

    const std::vector<NoteEntry>& Entries() const { return entries_; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void fillList(int current);
    void showButtons();
    void cmdAdd_Click();
    void cmdEdit_Click();
    void cmdDelete_Click();
    void cmdOK_Click();

    const double day_;
    std::vector<NoteEntry> entries_;
    const NoteColors colors_;
    const Save save_;
    QListWidget* lstEntries = nullptr;
    QPushButton* cmdAdd = nullptr;
    QPushButton* cmdEdit = nullptr;
    QPushButton* cmdDelete = nullptr;
    QPushButton* cmdOK = nullptr;
    QPushButton* cmdCancel = nullptr;
};
