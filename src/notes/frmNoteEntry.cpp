#include "notes/frmNoteEntry.h"

#include "model/DayNumber.h"
#include "platform/widgets/DialogParts.h"
#include "platform/widgets/MsgBox.h"

#include <QComboBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

frmNoteEntry::frmNoteEntry(QWidget* owner, const NoteEntry& start) : QDialog(owner), start_(start)
{
    setObjectName(QStringLiteral("frmNoteEntry"));
    setWindowTitle(start.Id() == 0 ? tr("New Entry") : tr("Edit Entry"));
    cboKind = named(new QComboBox(this), "cboKind");
    for (NoteKind kind : AllNoteKinds)
        cboKind->addItem(NoteKindName(kind), static_cast<int>(kind));
    cboKind->setCurrentIndex(static_cast<int>(start.Kind()));
    txtText = named(new QLineEdit(start.Text(), this), "txtText");
    txtText->setPlaceholderText(tr("What happens on this day"));
    txtPerson = named(new QLineEdit(start.Person(), this), "txtPerson");
    txtPerson->setPlaceholderText(tr("Who you trade with"));
    cmdOK = named(new QPushButton(tr("OK"), this), "cmdOK");
    cmdOK->setDefault(true);
    cmdCancel = plainButton(this, "cmdCancel", tr("Cancel"));

    auto* form = new QFormLayout;
    auto* lblKind = new QLabel(tr("&Kind:"), this);
    lblKind->setBuddy(cboKind);
    form->addRow(lblKind, cboKind);
    auto* lblText = new QLabel(tr("&Text:"), this);
    lblText->setBuddy(txtText);
    form->addRow(lblText, txtText);
    lblPerson = named(new QLabel(tr("Trade &with:"), this), "lblPerson");
    lblPerson->setBuddy(txtPerson);
    form->addRow(lblPerson, txtPerson);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addLayout(buttonRow({cmdOK, cmdCancel}));
    txtText->setMinimumWidth(fontMetrics().averageCharWidth() * 48);

    connect(cboKind, &QComboBox::currentIndexChanged, this, &frmNoteEntry::cboKind_Click);
    connect(cmdOK, &QPushButton::clicked, this, &frmNoteEntry::cmdOK_Click);
    connect(cmdCancel, &QPushButton::clicked, this, &QDialog::reject);
    cboKind_Click();
    txtText->setFocus();
}

std::optional<NoteEntry> frmNoteEntry::Ask(QWidget* owner, const NoteEntry& start)
{
    frmNoteEntry box(owner, start);
    if (box.exec() != QDialog::Accepted)
        return std::nullopt;
    return box.Entry();
}

NoteEntry frmNoteEntry::Entry() const
{
    NoteEntry e = start_;
    e.setKind(static_cast<NoteKind>(cboKind->currentData().toInt()));
    e.setText(txtText->text().trimmed());
    // Only a trade names a person; what was typed for another kind goes.
    e.setPerson(e.Kind() == NoteKind::Trade ? txtPerson->text().trimmed() : QString());
    return e;
}

void frmNoteEntry::cboKind_Click()
{
    const bool trade = cboKind->currentData().toInt() == static_cast<int>(NoteKind::Trade);
    lblPerson->setEnabled(trade);
    txtPerson->setEnabled(trade);
}

void frmNoteEntry::cmdOK_Click()
{
    // Refused here rather than cut to fit: nothing typed is lost without a word.
    if (const QString problem = Entry().Problem(); !problem.isEmpty()) {
        MsgBox(problem, Msg::OKOnly | Msg::Exclamation);
        txtText->setFocus();
        return;
    }
    accept();
}
