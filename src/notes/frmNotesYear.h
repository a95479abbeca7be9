#pragma once
// Notes for YYYY: every day entry of one year by date, those of one kind if
// the user chooses, and how many days of the year each kind takes (the leave
// days used, the sick days). A window beside the calendar, not a modal box.
#include "session/NoteColors.h"

#include <QDialog>
#include <array>
#include <memory>

class NoteRows;
class NotesStore;
class QComboBox;
class QGroupBox;
class QLabel;
class QModelIndex;
class QPushButton;
class QTreeView;

class frmNotesYear : public QDialog {
    Q_OBJECT
public:
    // The years a day entry may fall in (NoteEntry::Problem).
    static constexpr int FirstYear = 100;
    static constexpr int LastYear = 9999;

    // Reads the year at once; a store that raises leaves the list empty and
    // its message in the window, nothing is asked. A missing store reads as
    // one that cannot be opened. Deletes itself when closed.
    frmNotesYear(QWidget* owner, std::shared_ptr<NotesStore> notes, int year, NoteColors colors);

    int Year() const { return year_; }
    // Shows another year (kept within FirstYear to LastYear): read anew, retitled.
    void ShowYear(int year);
    // Reads the shown year again, for entries that changed; the entry the
    // user was on stays current when it is still shown.
    void Refresh();

signals:
    // The user chose an entry's row (Enter or a double-click): its day number.
    void DayChosen(double day);

private:
    void readYear();
    void cboKind_Changed();
    void lstEntries_Activated(const QModelIndex& index);
    // Id of the entry of the current row, 0 for none.
    qint64 currentId() const;
    void setCurrentRow(int row);
    void sizeColumns();

    const std::shared_ptr<NotesStore> notes_;
    int year_ = 0;
    NoteRows* rows_ = nullptr;

    QLabel* lblKind = nullptr;
    QComboBox* cboKind = nullptr;
    QTreeView* lstEntries = nullptr;
    QLabel* lblError = nullptr;
    QGroupBox* fraDays = nullptr;
    std::array<QLabel*, AllNoteKinds.size()> lblDays{};
    QPushButton* cmdPrevious = nullptr;
    QPushButton* cmdNext = nullptr;
    QPushButton* cmdClose = nullptr;
};
