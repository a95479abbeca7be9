#include "favorites/frmOpen.h"

#include "mainwindow/frmCal.h"
#include "model/clsSchedule.h"
#include "platform/widgets/MsgBox.h"
#include "platform/RuntimeError.h"
#include "storage/Module1Files.h"
#include "storage/ScheduleFile.h"

#include <QAction>
#include <QDir>
#include <QLabel>
#include <QListWidget>

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
    Label1 = new QLabel(this);
    Label1->setObjectName(QStringLiteral("Label1"));
    Label1->setVisible(false);
    Form_Load();
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
    const std::optional<QStringList> lines = ReadScheduleListIfReadable(path_);
    unreadable_ = !lines;
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
    for (size_t i = 0; i < Entries_.size(); ++i) {
        const QString number = QString::number(i + 1);
        auto* row = new QListWidgetItem(Entries_[i].GetTitle() + number);
        row->setData(Qt::UserRole, static_cast<int>(i + 1));
        List1->addItem(row);
        List2->addItem(Entries_[i].GetDescription() + number);
    }
}

frmOpen::AddResult frmOpen::AddItem(const clsSchedule& schedule)
{
    AddResult result = AddResult::Added;
    const QString native = QDir::toNativeSeparators(path_);
    if (unreadable_) {
        MsgBox(QStringLiteral("The schedule list %1 exists but cannot be read, so the schedule "
                              "was not added: writing it now would lose every schedule saved "
                              "in it.")
                   .arg(native),
               Msg::OKOnly | Msg::Critical, QStringLiteral("Save to list"));
        result = AddResult::Failed;
    } else {
        const QString title = schedule.title(), description = schedule.Description();
        const auto same = std::find_if(Entries_.begin(), Entries_.end(), [&](const clsSchedXml& e) {
            return e.GetTitle() == title && e.GetDescription() == description;
        });
        if (same != Entries_.end()) {
            switch (MsgBox(QStringLiteral("A schedule with this name already exists.\r\nYes to "
                                          "overwrite, No to add to file, Cancel to skip."),
                           Msg::YesNoCancel | Msg::Question,
                           QStringLiteral("Schedule Exists, Overwrite?"))) {
            case Msg::Yes: Entries_.erase(same); break;
            case Msg::No: break;
            default: result = AddResult::Skipped; break;
            }
        }
        if (result == AddResult::Added) {
            clsSchedXml entry;
            entry.setXml(schedule.xml());
            Entries_.push_back(entry);
            QStringList lines;
            for (const clsSchedXml& e : Entries_)
                lines << e.xml();
            try {
                EnsureAppFolder();
                WriteScheduleList(path_, lines);
            } catch (const RuntimeError& e) {
                MsgBox(QStringLiteral("The schedule list %1 could not be written (%2). The "
                                      "schedule was not added.")
                           .arg(native, e.description()),
                       Msg::OKOnly | Msg::Critical, QStringLiteral("Save to list"));
                result = AddResult::Failed;
            }
            FillLists();
        }
    }
    // Only a complete write keeps the schedule: anything else leaves it unsaved.
    if (result == AddResult::Added && owner_)
        owner_->setDataChanged(false);
    close();
    return result;
}
