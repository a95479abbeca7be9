#include "notes/frmDayNotes.h"

#include "model/DayNumber.h"
#include "notes/NoteRows.h"
#include "notes/frmNoteEntry.h"
#include "platform/widgets/DialogParts.h"
#include "platform/widgets/ReportError.h"

#include <QGridLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QListWidget>
#include <QLocale>
#include <QVBoxLayout>

frmDayNotes::frmDayNotes(QWidget* owner, double day, std::vector<NoteEntry> entries,
                         NoteColors colors, Save save)
    : QDialog(owner), day_(DayNumber::wholeDay(day)), entries_(std::move(entries)), colors_(colors),
      save_(std::move(save))
{
    setObjectName(QStringLiteral("frmDayNotes"));
    const QString date = QLocale().toString(DayNumber::toDate(day_), QLocale::LongFormat);
    setWindowTitle(tr("Day Notes - %1").arg(date));

    lstEntries = named(new QListWidget(this), "lstEntries");
    auto* lblEntries = new QLabel(tr("&Entries for %1:").arg(date), this);
    lblEntries->setBuddy(lstEntries);
    cmdAdd = plainButton(this, "cmdAdd", tr("&Add..."));
    cmdEdit = plainButton(this, "cmdEdit", tr("Ed&it..."));
    cmdDelete = plainButton(this, "cmdDelete", tr("&Delete"));
    cmdOK = named(new QPushButton(tr("OK"), this), "cmdOK");
    cmdOK->setDefault(true);
    cmdCancel = plainButton(this, "cmdCancel", tr("Cancel"));

    auto* grid = new QGridLayout;
    grid->addWidget(lblEntries, 0, 0, 1, 2);
    grid->addWidget(lstEntries, 1, 0, 4, 1);
    grid->addWidget(cmdAdd, 1, 1);
    grid->addWidget(cmdEdit, 2, 1);
    grid->addWidget(cmdDelete, 3, 1);
    grid->setRowStretch(4, 1);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(grid);
    layout->addLayout(buttonRow({cmdOK, cmdCancel}));
    lstEntries->setMinimumWidth(fontMetrics().averageCharWidth() * 48);
    lstEntries->installEventFilter(this);

    connect(cmdAdd, &QPushButton::clicked, this, &frmDayNotes::cmdAdd_Click);
    connect(cmdEdit, &QPushButton::clicked, this, &frmDayNotes::cmdEdit_Click);
    connect(cmdDelete, &QPushButton::clicked, this, &frmDayNotes::cmdDelete_Click);
    connect(cmdOK, &QPushButton::clicked, this, &frmDayNotes::cmdOK_Click);
    connect(cmdCancel, &QPushButton::clicked, this, &QDialog::reject);
    connect(lstEntries, &QListWidget::itemDoubleClicked, this, &frmDayNotes::cmdEdit_Click);
    connect(lstEntries, &QListWidget::currentRowChanged, this, &frmDayNotes::showButtons);
    fillList(0);
    // An empty day is opened to add to it.
    (entries_.empty() ? static_cast<QWidget*>(cmdAdd) : lstEntries)->setFocus();
}

void frmDayNotes::fillList(int current)
{
    lstEntries->clear();
    for (const NoteEntry& e : entries_) {
        auto* item = new QListWidgetItem(KindSwatch(colors_.Color(e.Kind())), e.Summary());
        item->setToolTip(e.Summary());
        lstEntries->addItem(item);
    }
    if (!entries_.empty())
        lstEntries->setCurrentRow(std::clamp(current, 0, static_cast<int>(entries_.size()) - 1));
    showButtons();
}

void frmDayNotes::showButtons()
{
    const bool chosen = lstEntries->currentRow() >= 0;
    cmdEdit->setEnabled(chosen);
    cmdDelete->setEnabled(chosen);
}

bool frmDayNotes::eventFilter(QObject* watched, QEvent* event)
{
    // The keys of a list of things: F2 edits as a double click does, Enter
    // stays OK's.
    if (watched == lstEntries && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_F2 && lstEntries->currentRow() >= 0) {
            cmdEdit_Click();
            return true;
        }
        if (key == Qt::Key_Delete && lstEntries->currentRow() >= 0) {
            cmdDelete_Click();
            return true;
        }
        if (key == Qt::Key_Insert) {
            cmdAdd_Click();
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

void frmDayNotes::cmdAdd_Click()
{
    const auto added = frmNoteEntry::Ask(this, NoteEntry(day_, NoteKind::Note));
    if (!added)
        return;
    entries_.push_back(*added);
    fillList(static_cast<int>(entries_.size()) - 1);
    lstEntries->setFocus();
}

void frmDayNotes::cmdEdit_Click()
{
    const int row = lstEntries->currentRow();
    if (row < 0 || row >= static_cast<int>(entries_.size()))
        return;
    const auto edited = frmNoteEntry::Ask(this, entries_[static_cast<size_t>(row)]);
    if (edited) {
        entries_[static_cast<size_t>(row)] = *edited;
        fillList(row);
    }
    lstEntries->setFocus();
}

void frmDayNotes::cmdDelete_Click()
{
    const int row = lstEntries->currentRow();
    if (row < 0 || row >= static_cast<int>(entries_.size()))
        return;
    entries_.erase(entries_.begin() + row);
    fillList(row);
    (entries_.empty() ? static_cast<QWidget*>(cmdAdd) : lstEntries)->setFocus();
}

void frmDayNotes::cmdOK_Click()
{
    if (guarded(QStringLiteral("cmdOK_Click"), UnitKind::Form, QStringLiteral("frmDayNotes"),
                [&] { save_(entries_); }))
        accept();
}
