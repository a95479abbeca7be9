#pragma once
// One day entry: its kind, its text and, for a trade, the other person.
#include "model/NoteEntry.h"

#include <QDialog>
#include <optional>

class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;

class frmNoteEntry : public QDialog {
    Q_OBJECT
public:
    frmNoteEntry(QWidget* owner, const NoteEntry& start);
    // Shows the box modally: the entry as edited on OK (Id and date kept),
    // nothing when cancelled.
    static std::optional<NoteEntry> Ask(QWidget* owner, const NoteEntry& start);

    NoteEntry Entry() const;

private:
    void cboKind_Click();
    void cmdOK_Click();

    NoteEntry start_;
    QComboBox* cboKind = nullptr;
    QLineEdit* txtText = nullptr;
    QLabel* lblPerson = nullptr;
    QLineEdit* txtPerson = nullptr;
    QPushButton* cmdOK = nullptr;
    QPushButton* cmdCancel = nullptr;
};
