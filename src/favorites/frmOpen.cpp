#include "favorites/frmOpen.h"

#include "mainwindow/frmCal.h"
#include "model/clsSchedule.h"
#include "platform/RuntimeError.h"
#include "platform/widgets/DialogParts.h"
#include "platform/widgets/MsgBox.h"
#include "platform/widgets/ReportError.h"
#include "storage/Module1Files.h"
#include "storage/ScheduleFile.h"
#include "wizard/WizardWindow.h"
#include "wizard/frmSave.h"

#include <QAction>
#include <QDir>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPointer>
#include <QPushButton>
#include <QScrollBar>

namespace {
// List1 keeps its rows in alphabetical order ignoring case.
class TitleRow : public QListWidgetItem {
public:
    TitleRow(const QString& text, int entry) : QListWidgetItem(text)
    {
        setData(Qt::UserRole, entry);
    }
    bool operator<(const QListWidgetItem& other) const override
    {
        return text().compare(other.text(), Qt::CaseInsensitive) < 0;
    }
};
} // namespace

frmOpen::frmOpen(frmCal* owner) : QDialog(owner), owner_(owner)
{
    setObjectName(QStringLiteral("frmOpen"));
    setWindowTitle(QStringLiteral("Favorites"));
    setAttribute(Qt::WA_DeleteOnClose);
    List1 = new QListWidget(this);
    List1->setObjectName(QStringLiteral("List1"));
    List1->setSortingEnabled(true);
    List2 = new QListWidget(this);
    List2->setObjectName(QStringLiteral("List2"));
    for (QListWidget* list : {List1, List2}) {
        list->setSelectionMode(QAbstractItemView::SingleSelection);
        list->setVerticalScrollMode(QAbstractItemView::ScrollPerItem);
    }
    Label1 = new QLabel(this);
    Label1->setObjectName(QStringLiteral("Label1"));
    Label1->setVisible(false);
    cmdDelete = plainButton(this, "cmdDelete", QStringLiteral("Delete"));
    cmdDelete->setEnabled(false);
    cmdOK = plainButton(this, "cmdOK", QStringLiteral("OK"));
    cmdCancel = plainButton(this, "cmdCancel", QStringLiteral("Cancel"));

    auto* grid = new QGridLayout(this);
    grid->addWidget(List1, 0, 0);
    grid->addWidget(List2, 0, 1);
    grid->addWidget(Label1, 1, 0, 1, 2);
    auto* buttons = buttonRow({cmdOK, cmdCancel});
    buttons->insertWidget(0, cmdDelete); // Delete stands apart, at the left
    grid->addLayout(buttons, 2, 0, 1, 2);
    resize(560, 320);

    connect(List1, &QListWidget::itemSelectionChanged, this, &frmOpen::List1_Click);
    connect(List2, &QListWidget::itemSelectionChanged, this, &frmOpen::List2_Click);
    // Either list scrolled shows the same top row in the other.
    connect(List1->verticalScrollBar(), &QScrollBar::valueChanged, List2->verticalScrollBar(),
            &QScrollBar::setValue);
    connect(List2->verticalScrollBar(), &QScrollBar::valueChanged, List1->verticalScrollBar(),
            &QScrollBar::setValue);
    connect(cmdDelete, &QPushButton::clicked, this, &frmOpen::cmdDelete_Click);
    connect(cmdOK, &QPushButton::clicked, this, &frmOpen::cmdOK_Click);
    connect(cmdCancel, &QPushButton::clicked, this, &QDialog::close);
    Form_Load();
}

frmOpen* frmOpen::Shown(frmCal* owner)
{
    for (frmOpen* w : owner->findChildren<frmOpen*>(QString(), Qt::FindDirectChildrenOnly))
        if (w->isVisible())
            return w;
    return nullptr;
}

frmOpen* frmOpen::ShowFavorites(frmCal* owner)
{
    QPointer<frmOpen> w = Shown(owner);
    if (!w) {
        w = new frmOpen(owner);
        w->setWindowFlag(Qt::Window);
        w->setModal(false);
        w->show();
        // An empty window alone would look like a list with nothing in it.
        if (w->unreadable_)
            MsgBox(QStringLiteral("The schedule list %1 exists but cannot be read, so its "
                                  "schedules cannot be shown. It is left as it is.")
                       .arg(QDir::toNativeSeparators(w->path_)),
                   Msg::OKOnly | Msg::Exclamation, QStringLiteral("Favorites"));
    }
    if (!w)
        return nullptr;
    w->raise();
    w->activateWindow();
    return w;
}

frmOpen::AddResult frmOpen::AddToList(frmCal* owner, const clsSchedule& schedule)
{
    frmOpen* open = Shown(owner);
    return (open ? open : new frmOpen(owner))->AddItem(schedule);
}

void frmOpen::Form_Load()
{
    path_ = ScheduleListPath();
    const QAction* debug = owner_ ? owner_->MenuAction(QStringLiteral("mnuDebug")) : nullptr;
    if (debug && debug->isVisible()) {
        Label1->setText(QDir::toNativeSeparators(path_));
        Label1->setVisible(true);
    }
    Entries_.clear();
    const std::optional<QStringList> lines = ReadScheduleList(path_);
    unreadable_ = !lines;
    Entries_.reserve(lines ? static_cast<size_t>(lines->size()) : 0);
    for (const QString& line : lines.value_or(QStringList())) {
        clsSchedXml entry;
        entry.setXml(line);
        Entries_.push_back(entry);
    }
    FillLists();
}

void frmOpen::FillLists()
{
    List1->clear();
    List2->clear();
    // One sort at the end instead of a sorted insertion per row.
    List1->setSortingEnabled(false);
    for (size_t i = 1; i <= Entries_.size(); ++i)
        AddRows(i);
    List1->setSortingEnabled(true);
    List1->sortItems();
    cmdDelete->setEnabled(false);
}

void frmOpen::AddRows(size_t entry)
{
    const QString number = QString::number(entry);
    const clsSchedXml& e = Entries_[entry - 1];
    // With sorting on, List1 places the row in order.
    List1->addItem(new TitleRow(e.GetTitle() + number, static_cast<int>(entry)));
    List2->addItem(e.GetDescription() + number);
}

int frmOpen::SelectedEntry() const
{
    const QList<QListWidgetItem*> rows = List1->selectedItems();
    return rows.isEmpty() ? 0 : rows.first()->data(Qt::UserRole).toInt();
}

// The rows are paired by entry: List2's row of entry i is row i - 1.
void frmOpen::List1_Click()
{
    if (syncing_)
        return;
    syncing_ = true;
    const int entry = SelectedEntry();
    if (entry > 0)
        List2->setCurrentRow(entry - 1);
    else
        List2->clearSelection();
    syncing_ = false;
    cmdDelete->setEnabled(entry > 0);
}

void frmOpen::List2_Click()
{
    if (syncing_)
        return;
    syncing_ = true;
    const QList<QListWidgetItem*> rows = List2->selectedItems();
    const int entry = rows.isEmpty() ? 0 : List2->row(rows.first()) + 1;
    List1->clearSelection();
    for (int r = 0; entry > 0 && r < List1->count(); ++r)
        if (List1->item(r)->data(Qt::UserRole).toInt() == entry)
            List1->setCurrentRow(r);
    syncing_ = false;
    cmdDelete->setEnabled(SelectedEntry() > 0);
}

bool frmOpen::WriteList(const QString& what)
{
    if (unreadable_) {
        MsgBox(QStringLiteral("The schedule list %1 exists but cannot be read, so %2: writing it "
                              "now would lose every schedule saved in it.")
                   .arg(QDir::toNativeSeparators(path_), what),
               Msg::OKOnly | Msg::Critical, QStringLiteral("Save to list"));
        return false;
    }
    QStringList lines;
    lines.reserve(static_cast<qsizetype>(Entries_.size()));
    for (const clsSchedXml& e : Entries_)
        lines << e.xml();
    try {
        EnsureAppFolder();
        WriteScheduleList(path_, lines);
        return true;
    } catch (const RuntimeError& e) {
        MsgBox(QStringLiteral("The schedule list %1 could not be written (%2), so %3.")
                   .arg(QDir::toNativeSeparators(path_), e.description(), what),
               Msg::OKOnly | Msg::Critical, QStringLiteral("Save to list"));
        return false;
    }
}

void frmOpen::cmdDelete_Click()
{
    const int entry = SelectedEntry();
    if (entry < 1 || entry > static_cast<int>(Entries_.size()))
        return;
    const auto at = Entries_.begin() + (entry - 1);
    const clsSchedXml removed = *at;
    Entries_.erase(at);
    // The file and the window show the same list: a failed write keeps both.
    if (!WriteList(QStringLiteral("the schedule was not deleted")))
        Entries_.insert(Entries_.begin() + (entry - 1), removed);
    FillLists();
}

bool frmOpen::MayReplaceSchedule()
{
    if (owner_->LockedAgainstChange())
        return false;
    for (WizardWindow* w :
         owner_->findChildren<WizardWindow*>(QString(), Qt::FindDirectChildrenOnly))
        if (w->isVisible() && !w->Unloaded()) {
            MsgBox(QStringLiteral("The schedule wizard is open. Finish or close it before "
                                  "opening another schedule."),
                   Msg::OKOnly | Msg::Exclamation, QStringLiteral("Favorites"));
            return false;
        }
    return true;
}

void frmOpen::cmdOK_Click()
{
    const int entry = SelectedEntry();
    if (entry < 1 || !owner_) {
        close();
        return;
    }
    // Saving to the list reorders the entries: the text is taken now.
    const QString xml = Entries_[static_cast<size_t>(entry - 1)].xml();
    const QPointer<frmOpen> self(this);
    if (!MayReplaceSchedule())
        return;
    if (owner_->DataChanged())
        frmSave::Ask(owner_);
    if (!self || !owner_ || owner_->DataChanged())
        return; // the changes are neither saved nor let go: they stay on display
    std::shared_ptr<clsSchedule> schedule;
    const bool read =
        guarded(QStringLiteral("cmdOK_Click"), UnitKind::Form, QStringLiteral("frmOpen"),
                [&] { schedule = ReadScheduleShowingProblems(xml); });
    if (!read || !self || !owner_)
        return;
    owner_->setSchedule(schedule);
    owner_->setShiftIndex(1);
    owner_->setDataChanged(true);
    close();
}

frmOpen::AddResult frmOpen::AddItem(const clsSchedule& schedule)
{
    AddResult result = AddResult::Added;
    if (unreadable_) {
        WriteList(QStringLiteral("the schedule was not added"));
        result = AddResult::Failed;
    } else {
        const std::vector<clsSchedXml> before = Entries_;
        bool renumbered = false;
        const QString title = schedule.title(), description = schedule.Description();
        const auto same = std::find_if(Entries_.begin(), Entries_.end(), [&](const clsSchedXml& e) {
            return e.GetTitle() == title && e.GetDescription() == description;
        });
        if (same != Entries_.end()) {
            switch (MsgBox(QStringLiteral("A schedule with this name already exists.\r\nYes to "
                                          "overwrite, No to add to file, Cancel to skip."),
                           Msg::YesNoCancel | Msg::Question,
                           QStringLiteral("Schedule Exists, Overwrite?"))) {
            case Msg::Yes:
                Entries_.erase(same);
                renumbered = true;
                break;
            case Msg::No: break;
            default: result = AddResult::Skipped; break;
            }
        }
        if (result == AddResult::Added) {
            clsSchedXml entry;
            entry.setXml(schedule.xml());
            Entries_.push_back(entry);
            if (!WriteList(QStringLiteral("the schedule was not added"))) {
                Entries_ = before; // the lists still show these
                result = AddResult::Failed;
            } else if (renumbered) {
                FillLists();
            } else {
                AddRows(Entries_.size()); // the other rows keep their numbers
            }
        }
    }
    // Only a complete write keeps the schedule: anything else leaves it unsaved.
    if (result == AddResult::Added && owner_)
        owner_->setDataChanged(false);
    if (!isVisible())
        close();
    return result;
}
