#include "notes/frmNotesYear.h"

#include "model/DayNumber.h"
#include "notes/NoteRows.h"
#include "platform/RuntimeError.h"
#include "platform/widgets/DialogParts.h"
#include "storage/NotesStore.h"

#include <QComboBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QShortcut>
#include <QStyle>
#include <QStyleOptionViewItem>
#include <QTreeView>
#include <QVBoxLayout>
#include <algorithm>
#include <map>
#include <optional>

namespace {
const QString kUnit = QStringLiteral("frmNotesYear");
constexpr int AllKinds = -1;

QString daysText(NoteKind kind, int days)
{
    return QStringLiteral("%1: %2 %3")
        .arg(NoteKindName(kind))
        .arg(days)
        .arg(days == 1 ? QStringLiteral("day") : QStringLiteral("days"));
}
} // namespace

frmNotesYear::frmNotesYear(QWidget* owner, std::shared_ptr<NotesStore> notes, int year,
                           NoteColors colors)
    : QDialog(owner), notes_(std::move(notes)), year_(std::clamp(year, FirstYear, LastYear))
{
    setObjectName(kUnit);
    setAttribute(Qt::WA_DeleteOnClose);
    // A window of its own beside the calendar, which stays usable.
    setWindowFlags(Qt::Window);
    setModal(false);
    rows_ = new NoteRows(colors, this);

    lblKind = named(new QLabel(QStringLiteral("&Show:"), this), "lblKind");
    cboKind = named(new QComboBox(this), "cboKind");
    cboKind->addItem(QStringLiteral("All kinds"), AllKinds);
    for (NoteKind kind : AllNoteKinds)
        cboKind->addItem(rows_->swatch(kind), NoteKindName(kind), static_cast<int>(kind));
    lblKind->setBuddy(cboKind);

    lstEntries = named(new QTreeView(this), "lstEntries");
    lstEntries->setAccessibleName(QStringLiteral("Entries"));
    lstEntries->setModel(rows_);
    lstEntries->setRootIsDecorated(false);
    lstEntries->setItemsExpandable(false);
    // A year of thousands of rows is laid out from one row's height.
    lstEntries->setUniformRowHeights(true);
    lstEntries->setAllColumnsShowFocus(true);
    lstEntries->setSelectionMode(QAbstractItemView::SingleSelection);
    lstEntries->setSelectionBehavior(QAbstractItemView::SelectRows);
    lstEntries->setEditTriggers(QAbstractItemView::NoEditTriggers);
    lstEntries->setTextElideMode(Qt::ElideRight);
    lstEntries->setIconSize(QSize(12, 12)); // the swatch as drawn
    sizeColumns();

    lblError = named(new QLabel(this), "lblError");
    lblError->setWordWrap(true);
    lblError->setVisible(false);

    fraDays = named(new QGroupBox(this), "fraDays");
    auto* days = new QHBoxLayout(fraDays);
    for (NoteKind kind : AllNoteKinds) {
        auto* swatch = new QLabel(fraDays);
        swatch->setPixmap(rows_->swatch(kind).pixmap(12, 12));
        QLabel*& count = lblDays[static_cast<size_t>(kind)];
        count = new QLabel(fraDays);
        count->setObjectName(QStringLiteral("lblDays") + NoteKindName(kind));
        days->addWidget(swatch);
        days->addWidget(count);
        days->addSpacing(12);
    }
    days->addStretch(1);

    cmdPrevious = plainButton(this, "cmdPrevious", QString());
    cmdPrevious->setIcon(style()->standardIcon(QStyle::SP_ArrowLeft));
    cmdPrevious->setToolTip(QStringLiteral("Previous year (Alt+Left)"));
    cmdNext = plainButton(this, "cmdNext", QString());
    cmdNext->setIcon(style()->standardIcon(QStyle::SP_ArrowRight));
    cmdNext->setLayoutDirection(Qt::RightToLeft); // the arrow after the year
    cmdNext->setToolTip(QStringLiteral("Next year (Alt+Right)"));
    cmdClose = plainButton(this, "cmdClose", QStringLiteral("Close"));

    auto* filter = new QHBoxLayout;
    filter->addWidget(lblKind);
    filter->addWidget(cboKind);
    filter->addStretch(1);
    auto* buttons = buttonRow({cmdClose});
    buttons->insertWidget(0, cmdPrevious);
    buttons->insertWidget(1, cmdNext);
    auto* all = new QVBoxLayout(this);
    all->addLayout(filter);
    all->addWidget(lblError);
    all->addWidget(lstEntries, 1);
    all->addWidget(fraDays);
    all->addLayout(buttons);
    setTabOrder(cboKind, lstEntries);
    setTabOrder(lstEntries, cmdPrevious);
    setTabOrder(cmdPrevious, cmdNext);
    setTabOrder(cmdNext, cmdClose);
    lstEntries->setFocus();
    resize(760, 480);

    connect(cboKind, qOverload<int>(&QComboBox::currentIndexChanged), this,
            &frmNotesYear::cboKind_Changed);
    connect(lstEntries, &QAbstractItemView::activated, this, &frmNotesYear::lstEntries_Activated);
    connect(cmdPrevious, &QPushButton::clicked, this, [this] { ShowYear(year_ - 1); });
    connect(cmdNext, &QPushButton::clicked, this, [this] { ShowYear(year_ + 1); });
    connect(cmdClose, &QPushButton::clicked, this, &QDialog::close);
    // Page Up and Down stay the list's own.
    connect(new QShortcut(QKeySequence(Qt::ALT | Qt::Key_Left), this), &QShortcut::activated,
            cmdPrevious, &QPushButton::click);
    connect(new QShortcut(QKeySequence(Qt::ALT | Qt::Key_Right), this), &QShortcut::activated,
            cmdNext, &QPushButton::click);
    readYear();
}

void frmNotesYear::sizeColumns()
{
    QHeaderView* header = lstEntries->header();
    header->setStretchLastSection(false);
    header->setSectionResizeMode(NoteRows::TextColumn, QHeaderView::Stretch);
    // Measured on a few texts rather than on every row: a long year would
    // have each of its cells laid out before the window shows.
    const auto width = [this](const QString& text, bool swatch) {
        QStyleOptionViewItem cell;
        cell.initFrom(lstEntries);
        cell.text = text;
        cell.features = QStyleOptionViewItem::HasDisplay;
        if (swatch)
            cell.features |= QStyleOptionViewItem::HasDecoration;
        cell.decorationSize = lstEntries->iconSize();
        // A little room for the grid and the eye.
        return style()
                   ->sizeFromContents(QStyle::CT_ItemViewItem, &cell, QSize(), lstEntries)
                   .width() +
               8;
    };
    int date = 0;
    for (int d = 24; d <= 30; ++d) // every weekday, on days of two digits
        date = std::max(date,
                        width(NoteRows::shortDate(DayNumber::fromDate(QDate(2000, 12, d))), false));
    int kind = width(rows_->headerData(NoteRows::KindColumn, Qt::Horizontal).toString(), false);
    for (NoteKind k : AllNoteKinds)
        kind = std::max(kind, width(NoteKindName(k), true));
    header->resizeSection(NoteRows::DateColumn, date);
    header->resizeSection(NoteRows::KindColumn, kind);
    header->resizeSection(NoteRows::WithColumn, width(QString(16, QLatin1Char('n')), false));
}

void frmNotesYear::ShowYear(int year)
{
    year_ = std::clamp(year, FirstYear, LastYear);
    readYear();
    lstEntries->scrollToTop();
}

void frmNotesYear::Refresh()
{
    const qint64 id = currentId();
    const int row = lstEntries->currentIndex().row();
    readYear();
    int again = id != 0 ? rows_->rowOf(id) : -1;
    // The entry is gone: the row that took its place.
    if (again < 0 && row >= 0)
        again = std::min(row, rows_->rowCount() - 1);
    setCurrentRow(again);
}

void frmNotesYear::readYear()
{
    setWindowTitle(QStringLiteral("Notes for %1").arg(year_));
    fraDays->setTitle(QStringLiteral("Days in %1").arg(year_));
    cmdPrevious->setText(QString::number(year_ - 1));
    cmdPrevious->setAccessibleName(QStringLiteral("Previous year, %1").arg(year_ - 1));
    cmdPrevious->setEnabled(year_ > FirstYear);
    cmdNext->setText(QString::number(year_ + 1));
    cmdNext->setAccessibleName(QStringLiteral("Next year, %1").arg(year_ + 1));
    cmdNext->setEnabled(year_ < LastYear);

    std::vector<NoteEntry> entries;
    std::map<NoteKind, int> days;
    QString problem;
    try {
        if (!notes_)
            throw Err::make(Err::FileNotFound,
                            QStringLiteral("No notes file is open, so there are no entries."));
        entries = notes_->EntriesBetween(DayNumber::fromDate(QDate(year_, 1, 1)),
                                         DayNumber::fromDate(QDate(year_, 12, 31)));
        days = notes_->DaysPerKind(year_);
    } catch (const RuntimeError& e) {
        problem = e.description();
    } catch (const std::exception& e) {
        problem = errorMessage(e, QStringLiteral("readYear"), UnitKind::Form, kUnit);
    }
    if (!problem.isEmpty())
        entries.clear();
    rows_->setEntries(std::move(entries));
    // Said in the window rather than in a box: the window may be opening,
    // and the list says it again to whoever reaches it by the keys.
    lblError->setText(problem);
    lblError->setVisible(!problem.isEmpty());
    lstEntries->setAccessibleDescription(problem);
    // No counts rather than zeros, which a user counting leave days would
    // believe.
    fraDays->setVisible(problem.isEmpty());
    for (NoteKind kind : AllNoteKinds)
        lblDays[static_cast<size_t>(kind)]->setText(daysText(kind, days[kind]));
}

void frmNotesYear::cboKind_Changed()
{
    const qint64 id = currentId();
    const int kind = cboKind->currentData().toInt();
    rows_->setKind(kind == AllKinds ? std::nullopt
                                    : std::optional<NoteKind>(static_cast<NoteKind>(kind)));
    setCurrentRow(id != 0 ? rows_->rowOf(id) : -1);
}

void frmNotesYear::lstEntries_Activated(const QModelIndex& index)
{
    if (const NoteEntry* e = rows_->entryAt(index.row()))
        emit DayChosen(e->Date());
}

qint64 frmNotesYear::currentId() const
{
    const NoteEntry* e = rows_->entryAt(lstEntries->currentIndex().row());
    return e ? e->Id() : 0;
}

void frmNotesYear::setCurrentRow(int row)
{
    if (row < 0)
        return;
    const QModelIndex index = rows_->index(row, NoteRows::DateColumn);
    lstEntries->setCurrentIndex(index);
    lstEntries->scrollTo(index);
}
