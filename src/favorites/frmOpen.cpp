#include "favorites/frmOpen.h"

#include "favorites/FavoriteRows.h"
#include "model/clsSchedule.h"
#include "platform/RuntimeError.h"
#include "platform/widgets/DialogParts.h"
#include "platform/widgets/MsgBox.h"
#include "session/CalendarSession.h"
#include "storage/ScheduleFile.h"

#include <QAction>
#include <QDir>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QListView>
#include <QPointer>
#include <QPushButton>
#include <QScrollBar>

namespace {
// Runs a change of the list; says why when the file did not take it.
template <class Change> bool changed(const ScheduleList& list, const QString& what, Change&& change)
{
    if (list.Unreadable()) {
        MsgBox(QStringLiteral("The schedule list %1 exists but cannot be read, so %2: writing it "
                              "now would lose every schedule saved in it.")
                   .arg(QDir::toNativeSeparators(list.Path()), what),
               Msg::OKOnly | Msg::Critical, QStringLiteral("Save to list"));
        return false;
    }
    try {
        change();
        return true;
    } catch (const RuntimeError& e) {
        MsgBox(QStringLiteral("The schedule list %1 could not be written (%2), so %3.")
                   .arg(QDir::toNativeSeparators(list.Path()), e.description(), what),
               Msg::OKOnly | Msg::Critical, QStringLiteral("Save to list"));
        return false;
    }
}

// The addition itself: the duplicate question, then the file.
frmOpen::AddResult addTo(ScheduleList& list, const clsSchedule& schedule)
{
    const QString what = QStringLiteral("the schedule was not added");
    // An unreadable list shows no entries to ask about; the change below says why it is refused.
    const int same = list.Find(schedule.title(), schedule.Description());
    bool replace = false;
    if (same > 0) {
        switch (MsgBox(QStringLiteral("A schedule with this name already exists.\r\nYes to "
                                      "overwrite, No to add to file, Cancel to skip."),
                       Msg::YesNoCancel | Msg::Question,
                       QStringLiteral("Schedule Exists, Overwrite?"))) {
        case Msg::Yes: replace = true; break;
        case Msg::No: break;
        default: return frmOpen::AddResult::Skipped;
        }
    }
    const QString xml = schedule.xml();
    const bool written = changed(list, what, [&] {
        if (replace)
            list.Replace(same, xml);
        else
            list.Append(xml);
    });
    return written ? frmOpen::AddResult::Added : frmOpen::AddResult::Failed;
}
} // namespace

frmOpen::frmOpen(QWidget* owner, bool showPath) : QDialog(owner), list_(ScheduleListPath())
{
    setObjectName(QStringLiteral("frmOpen"));
    setWindowTitle(QStringLiteral("Favorites"));
    setAttribute(Qt::WA_DeleteOnClose);
    titles_ = new FavoriteRows(list_, FavoriteRows::Shows::Titles, this);
    descriptions_ = new FavoriteRows(list_, FavoriteRows::Shows::Descriptions, this);
    List1 = new QListView(this);
    List1->setObjectName(QStringLiteral("List1"));
    List1->setModel(titles_);
    List2 = new QListView(this);
    List2->setObjectName(QStringLiteral("List2"));
    List2->setModel(descriptions_);
    // Side by side without a heading: each says which half of the entries it shows.
    List1->setAccessibleName(QStringLiteral("Schedule titles"));
    List2->setAccessibleName(QStringLiteral("Schedule descriptions"));
    for (QListView* list : {List1, List2}) {
        list->setSelectionMode(QAbstractItemView::SingleSelection);
        list->setVerticalScrollMode(QAbstractItemView::ScrollPerItem);
        // A list of many thousand rows is laid out without measuring each.
        list->setUniformItemSizes(true);
        list->setItemDelegate(new FavoriteRowDelegate(list));
    }
    Label1 = new QLabel(this);
    Label1->setObjectName(QStringLiteral("Label1"));
    Label1->setVisible(false);
    cmdDelete = plainButton(this, "cmdDelete", QStringLiteral("Delete"));
    cmdDelete->setEnabled(false);
    cmdOK = plainButton(this, "cmdOK", QStringLiteral("OK"));
    cmdOK->setDefault(true);
    cmdCancel = plainButton(this, "cmdCancel", QStringLiteral("Cancel"));

    auto* grid = new QGridLayout(this);
    grid->addWidget(List1, 0, 0);
    grid->addWidget(List2, 0, 1);
    grid->addWidget(Label1, 1, 0, 1, 2);
    auto* buttons = buttonRow({cmdOK, cmdCancel});
    buttons->insertWidget(0, cmdDelete); // Delete stands apart, at the left
    grid->addLayout(buttons, 2, 0, 1, 2);
    resize(560, 320);

    connect(List1->selectionModel(), &QItemSelectionModel::selectionChanged, this,
            &frmOpen::List1_Click);
    connect(List2->selectionModel(), &QItemSelectionModel::selectionChanged, this,
            &frmOpen::List2_Click);
    // Either list scrolled shows the same top row in the other.
    connect(List1->verticalScrollBar(), &QScrollBar::valueChanged, List2->verticalScrollBar(),
            &QScrollBar::setValue);
    connect(List2->verticalScrollBar(), &QScrollBar::valueChanged, List1->verticalScrollBar(),
            &QScrollBar::setValue);
    connect(cmdDelete, &QPushButton::clicked, this, &frmOpen::cmdDelete_Click);
    connect(cmdOK, &QPushButton::clicked, this, &frmOpen::cmdOK_Click);
    connect(cmdCancel, &QPushButton::clicked, this, &QDialog::close);
    if (showPath) {
        Label1->setText(QDir::toNativeSeparators(list_.Path()));
        Label1->setVisible(true);
    }
    FillLists();
}

frmOpen* frmOpen::Shown(QWidget* owner)
{
    if (!owner)
        return nullptr;
    for (frmOpen* w : owner->findChildren<frmOpen*>(QString(), Qt::FindDirectChildrenOnly))
        if (w->isVisible())
            return w;
    return nullptr;
}

frmOpen* frmOpen::ShowFavorites(QWidget* owner, bool showPath)
{
    QPointer<frmOpen> w = Shown(owner);
    if (!w) {
        w = new frmOpen(owner, showPath);
        w->setWindowFlag(Qt::Window);
        w->setModal(false);
        w->show();
        // An empty window alone would look like a list with nothing in it.
        if (w->list_.Unreadable())
            MsgBox(QStringLiteral("The schedule list %1 exists but cannot be read, so its "
                                  "schedules cannot be shown. It is left as it is.")
                       .arg(QDir::toNativeSeparators(w->list_.Path())),
                   Msg::OKOnly | Msg::Exclamation, QStringLiteral("Favorites"));
    }
    if (!w)
        return nullptr;
    w->raise();
    w->activateWindow();
    return w;
}

frmOpen::AddResult frmOpen::AddToList(QWidget* owner, CalendarSession& session,
                                      const clsSchedule& schedule)
{
    AddResult result;
    if (frmOpen* open = Shown(owner)) {
        result = open->AddItem(schedule);
    } else {
        ScheduleList list(ScheduleListPath());
        result = addTo(list, schedule);
    }
    // Only a complete write keeps the schedule: anything else leaves it unsaved.
    if (result == AddResult::Added)
        session.setDataChanged(false);
    return result;
}

frmOpen::AddResult frmOpen::AddItem(const clsSchedule& schedule)
{
    const size_t before = list_.Entries().size();
    const AddResult result = addTo(list_, schedule);
    if (result != AddResult::Added)
        return result;
    if (list_.Entries().size() == before + 1) {
        // The other rows keep their numbers.
        titles_->addLast();
        descriptions_->addLast();
    } else {
        FillLists(); // overwritten: the entries after it moved up
    }
    return result;
}

void frmOpen::FillLists()
{
    titles_->refill();
    descriptions_->refill();
    cmdDelete->setEnabled(false);
}

int frmOpen::SelectedEntry() const
{
    const QModelIndexList rows = List1->selectionModel()->selectedIndexes();
    return rows.isEmpty() ? 0 : titles_->entryAt(rows.first().row());
}

// The rows are paired by entry: List2's row of entry i is row i - 1.
void frmOpen::List1_Click()
{
    if (syncing_)
        return;
    syncing_ = true;
    const int entry = SelectedEntry();
    if (entry > 0)
        List2->selectionModel()->setCurrentIndex(descriptions_->index(entry - 1),
                                                 QItemSelectionModel::ClearAndSelect);
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
    const QModelIndexList rows = List2->selectionModel()->selectedIndexes();
    const int entry = rows.isEmpty() ? 0 : descriptions_->entryAt(rows.first().row());
    List1->clearSelection();
    if (entry > 0)
        List1->selectionModel()->setCurrentIndex(titles_->index(titles_->rowOf(entry)),
                                                 QItemSelectionModel::ClearAndSelect);
    syncing_ = false;
    cmdDelete->setEnabled(SelectedEntry() > 0);
}

void frmOpen::cmdDelete_Click()
{
    const int entry = SelectedEntry();
    if (entry < 1 || entry > static_cast<int>(list_.Entries().size()))
        return;
    // The file and the window show the same list: a failed write keeps both.
    if (changed(list_, QStringLiteral("the schedule was not deleted"),
                [&] { list_.Remove(entry); })) {
        titles_->removed(entry);
        descriptions_->removed(entry);
        cmdDelete->setEnabled(false);
    } else {
        FillLists();
    }
}

void frmOpen::cmdOK_Click()
{
    const int entry = SelectedEntry();
    if (entry < 1) {
        close();
        return;
    }
    emit OpenRequested(list_.Entries()[static_cast<size_t>(entry - 1)].xml());
}
