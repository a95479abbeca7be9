#include "favorites/frmOpen.h"

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
    if (list_.Entries().size() == before + 1)
        AddRows(list_.Entries().size()); // the other rows keep their numbers
    else
        FillLists(); // overwritten: the entries after it moved up
    return result;
}

void frmOpen::FillLists()
{
    List1->clear();
    List2->clear();
    // One sort at the end instead of a sorted insertion per row.
    List1->setSortingEnabled(false);
    for (size_t i = 1; i <= list_.Entries().size(); ++i)
        AddRows(i);
    List1->setSortingEnabled(true);
    List1->sortItems();
    cmdDelete->setEnabled(false);
}

void frmOpen::AddRows(size_t entry)
{
    const QString number = QString::number(entry);
    const clsSchedXml& e = list_.Entries()[entry - 1];
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

void frmOpen::cmdDelete_Click()
{
    const int entry = SelectedEntry();
    if (entry < 1 || entry > static_cast<int>(list_.Entries().size()))
        return;
    // The file and the window show the same list: a failed write keeps both.
    changed(list_, QStringLiteral("the schedule was not deleted"), [&] { list_.Remove(entry); });
    FillLists();
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
