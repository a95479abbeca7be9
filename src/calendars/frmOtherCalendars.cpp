#include "calendars/frmOtherCalendars.h"

#include "calendars/OtherCalendars.h"
#include "notes/NoteRows.h"
#include "platform/widgets/DialogParts.h"
#include "platform/widgets/IDialogs.h"

#include <QDir>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace {
enum Column { NameColumn, StatusColumn, FileColumn };

QString status(const OtherCalendars::Calendar& c)
{
    if (!c.problem.isEmpty())
        return c.problem.left(1).toUpper() + c.problem.mid(1);
    if (!c.read)
        return QStringLiteral("Reading...");
    return c.shown ? QStringLiteral("Shown") : QStringLiteral("Hidden");
}
} // namespace

frmOtherCalendars::frmOtherCalendars(OtherCalendars& calendars, const QString& shippedFolder,
                                     QWidget* parent)
    : QDialog(parent), calendars_(calendars), shippedFolder_(shippedFolder)
{
    setObjectName(QStringLiteral("frmOtherCalendars"));
    setWindowTitle(QStringLiteral("Other Calendars"));
    setAttribute(Qt::WA_DeleteOnClose);
    setModal(false);

    auto* caption = new QLabel(
        QStringLiteral("&Calendars shown on the days beside the schedule (iCalendar files, "
                       "only read):"),
        this);
    caption->setWordWrap(true);
    lstCalendars = named(new QTreeWidget(this), "lstCalendars");
    lstCalendars->setAccessibleName(QStringLiteral("Calendars"));
    lstCalendars->setHeaderLabels(
        {QStringLiteral("Calendar"), QStringLiteral("Status"), QStringLiteral("File")});
    lstCalendars->setRootIsDecorated(false);
    lstCalendars->setUniformRowHeights(true);
    lstCalendars->header()->setStretchLastSection(true);
    caption->setBuddy(lstCalendars);

    cmdAdd = named(new QPushButton(QStringLiteral("&Add..."), this), "cmdAdd");
    cmdRemove = named(new QPushButton(QStringLiteral("&Remove"), this), "cmdRemove");
    cmdColor = named(new QPushButton(QStringLiteral("C&olor..."), this), "cmdColor");
    cmdClose = named(new QPushButton(QStringLiteral("Close"), this), "cmdClose");
    cmdClose->setDefault(true);
    auto* buttons = new QVBoxLayout;
    for (QPushButton* b : {cmdAdd, cmdRemove, cmdColor})
        buttons->addWidget(b);
    buttons->addStretch();
    buttons->addWidget(cmdClose);
    auto* row = new QHBoxLayout;
    row->addWidget(lstCalendars, 1);
    row->addLayout(buttons);
    auto* all = new QVBoxLayout(this);
    all->addWidget(caption);
    all->addLayout(row);
    resize(640, 260);

    connect(cmdAdd, &QPushButton::clicked, this, &frmOtherCalendars::cmdAdd_Click);
    connect(cmdRemove, &QPushButton::clicked, this, &frmOtherCalendars::cmdRemove_Click);
    connect(cmdColor, &QPushButton::clicked, this, &frmOtherCalendars::cmdColor_Click);
    connect(cmdClose, &QPushButton::clicked, this, &QDialog::close);
    connect(lstCalendars, &QTreeWidget::itemChanged, this,
            &frmOtherCalendars::lstCalendars_ItemChanged);
    connect(lstCalendars, &QTreeWidget::currentItemChanged, this, [this] {
        cmdRemove->setEnabled(current() >= 0);
        cmdColor->setEnabled(current() >= 0);
    });
    connect(&calendars_, &OtherCalendars::Changed, this, &frmOtherCalendars::Refresh);
    Refresh();
}

void frmOtherCalendars::Refresh()
{
    const int keep = current();
    filling_ = true;
    lstCalendars->clear();
    for (const OtherCalendars::Calendar& c : calendars_.List()) {
        auto* item = new QTreeWidgetItem(lstCalendars);
        item->setText(NameColumn, c.name);
        item->setIcon(NameColumn, KindSwatch(c.color));
        item->setFlags(item->flags() | Qt::ItemIsUserCheckable);
        item->setCheckState(NameColumn, c.shown ? Qt::Checked : Qt::Unchecked);
        item->setText(StatusColumn, status(c));
        item->setToolTip(StatusColumn, c.problem);
        item->setText(FileColumn, QDir::toNativeSeparators(c.path));
    }
    const int count = lstCalendars->topLevelItemCount();
    if (count > 0)
        lstCalendars->setCurrentItem(lstCalendars->topLevelItem(std::clamp(keep, 0, count - 1)));
    cmdRemove->setEnabled(current() >= 0);
    cmdColor->setEnabled(current() >= 0);
    lstCalendars->resizeColumnToContents(NameColumn);
    filling_ = false;
}

int frmOtherCalendars::current() const
{
    return lstCalendars->currentItem()
               ? lstCalendars->indexOfTopLevelItem(lstCalendars->currentItem())
               : -1;
}

void frmOtherCalendars::cmdAdd_Click()
{
    const QString start = QFileInfo(shippedFolder_).isDir() ? shippedFolder_ : QDir::homePath();
    const QString path = dialogsService().openFileName(
        this, QStringLiteral("Add Calendar"), start,
        QStringLiteral("iCalendar Files (*.ics)|*.ics|All Files (*.*)|*"));
    if (path.isEmpty())
        return;
    const int index = calendars_.Add(path);
    lstCalendars->setCurrentItem(lstCalendars->topLevelItem(index));
}

void frmOtherCalendars::cmdRemove_Click()
{
    const int index = current();
    if (index >= 0)
        calendars_.Remove(index);
}

void frmOtherCalendars::cmdColor_Click()
{
    const int index = current();
    if (index < 0)
        return;
    int32_t chosen = 0;
    if (dialogsService().chooseColor(this, calendars_.List()[static_cast<size_t>(index)].color,
                                     chosen))
        calendars_.setColor(index, chosen);
}

void frmOtherCalendars::lstCalendars_ItemChanged(QTreeWidgetItem* item)
{
    if (filling_)
        return;
    const int index = lstCalendars->indexOfTopLevelItem(item);
    if (index < 0)
        return;
    const bool shown = item->checkState(NameColumn) == Qt::Checked;
    // Deferred: the change rebuilds the list this item belongs to.
    QMetaObject::invokeMethod(
        this,
        [this, id = calendars_.List()[static_cast<size_t>(index)].id, shown] {
            const auto& list = calendars_.List();
            for (size_t i = 0; i < list.size(); ++i)
                if (list[i].id == id && list[i].shown != shown)
                    calendars_.setShown(static_cast<int>(i), shown);
        },
        Qt::QueuedConnection);
}

void frmOtherCalendars::keyPressEvent(QKeyEvent* e)
{
    if (e->key() == Qt::Key_Delete && lstCalendars->hasFocus()) {
        cmdRemove_Click();
        return;
    }
    if (e->key() == Qt::Key_Insert) {
        cmdAdd_Click();
        return;
    }
    QDialog::keyPressEvent(e);
}
