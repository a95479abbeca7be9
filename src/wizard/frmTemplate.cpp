#include "wizard/frmTemplate.h"

#include "model/clsSchedule.h"
#include "platform/widgets/DialogParts.h"
#include "wizard/frmRotation.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QScrollBar>
#include <algorithm>
#include <utility>

frmTemplate::frmTemplate(WizardHost& host)
    : WizardWindow(host, "frmTemplate", QStringLiteral("Rotation Templates"))
{
    auto* grid = new QGridLayout(this);
    auto* label1 = new QLabel(QStringLiteral("X = On Duty: O = Off Duty"), this);
    label1->setObjectName(QStringLiteral("Label1"));
    auto* label2 = new QLabel(QStringLiteral("Description"), this);
    label2->setObjectName(QStringLiteral("Label2"));
    List1 = new QListWidget(this);
    List1->setObjectName(QStringLiteral("List1"));
    List1->setFont(QFont(QStringLiteral("monospace")));
    List2 = new QListWidget(this);
    List2->setObjectName(QStringLiteral("List2"));
    // A list is named by its own accessible name only, never by a buddy label.
    List1->setAccessibleName(label1->text());
    List2->setAccessibleName(label2->text());
    grid->addWidget(label1, 0, 0);
    grid->addWidget(label2, 0, 1);
    grid->addWidget(List1, 1, 0);
    grid->addWidget(List2, 1, 1);

    auto* frame = new QGroupBox(QStringLiteral("Synchronize Calendar"), this);
    frame->setObjectName(QStringLiteral("Frame1"));
    auto* frameRow = new QHBoxLayout(frame);
    QPushButton* cmdAllLeft = button("cmdAllLeft", QStringLiteral("Move All Left"));
    QPushButton* cmReverse = button("cmReverse", QStringLiteral("Reverse Order"));
    QPushButton* cmdAllRright = button("cmdAllRright", QStringLiteral("Move All Right"));
    for (QPushButton* b : {cmdAllLeft, cmReverse, cmdAllRright})
        frameRow->addWidget(b);
    grid->addWidget(frame, 2, 0, 1, 2);
    QPushButton* cmdNext = button("cmdNext", QStringLiteral("Next"));
    cmdNext->setDefault(true); // Enter goes on to the next step
    QPushButton* cmdDone = button("cmdDone", QStringLiteral("Done"));
    QPushButton* cmdCancel = button("cmdCancel", QStringLiteral("Cancel"));
    grid->addLayout(buttonRow({cmdCancel, cmdDone, cmdNext}), 3, 0, 1, 2);

    // A highlighted row is a chosen template. Only the highlight counts: a
    // list that takes the focus moves its current row without one.
    // A click on the row already selected takes its template again.
    for (QListWidget* list : {List1, List2}) {
        connect(list, &QListWidget::itemSelectionChanged, this, [this, list] {
            const QList<QListWidgetItem*> rows = list->selectedItems();
            if (!rows.isEmpty())
                listClick(list->row(rows.first()));
        });
        connect(list, &QListWidget::itemClicked, this,
                [this, list](QListWidgetItem* item) { listClick(list->row(item)); });
    }
    // Either list scrolls the other to the same top row.
    connect(List1->verticalScrollBar(), &QScrollBar::valueChanged, List2->verticalScrollBar(),
            &QScrollBar::setValue);
    connect(List2->verticalScrollBar(), &QScrollBar::valueChanged, List1->verticalScrollBar(),
            &QScrollBar::setValue);
    connect(cmdAllLeft, &QPushButton::clicked, this, [this] { moveBy(MovedLeft); });
    connect(cmdAllRright, &QPushButton::clicked, this, [this] { moveBy(MovedRight); });
    connect(cmReverse, &QPushButton::clicked, this, [this] { moveBy(Reversed); });
    connect(cmdNext, &QPushButton::clicked, this, [this] {
        ApplySequence();
        ShowOnDutyStep(*Host());
        close();
    });
    connect(cmdDone, &QPushButton::clicked, this, [this] {
        ApplySequence();
        close();
    });
    connect(cmdCancel, &QPushButton::clicked, this, [this] {
        WorkSequence = StartSequence;
        ApplySequence();
        close();
    });

    disableCreateSchedule();
    setShiftIndex(host.Session().ShiftIndex());
    Ready = true;
}

void frmTemplate::setShiftIndex(int16_t index)
{
    shiftIndex_ = index;
    if (index < 1 || index > shiftCount()) {
        shift_ = takeShift(0); // nothing to edit: unload
        return;
    }
    shift_ = schedule()->Shifts()->Item(index);
    WorkSequence = StartSequence = shift_->Sequence();
    Templates = TemplatesFor(shift_->Platoons()->Count());
    List1->clear();
    List2->clear();
    int matching = -1;
    // One row height in both lists, whatever their fonts: each pattern must
    // stay beside its description at every scroll position.
    const int rowHeight =
        std::max(List1->fontMetrics().height(), List2->fontMetrics().height()) + 4;
    for (int i = 0; i < Templates.size(); ++i) {
        for (auto [list, text] :
             {std::pair{List1, Templates[i].pattern}, std::pair{List2, Templates[i].description}}) {
            auto* row = new QListWidgetItem(text, list);
            row->setSizeHint(QSize(list->fontMetrics().horizontalAdvance(text) + 8, rowHeight));
        }
        if (Templates[i].sequence.size() == StartSequence.size())
            matching = i;
    }
    // With none of the cycle's length none is shown chosen: Next and Done
    // then keep the cycle, and what is highlighted is always what they write.
    if (matching >= 0) {
        listClick(matching);
    } else {
        for (QListWidget* list : {List1, List2}) {
            const QSignalBlocker quiet(list);
            list->setCurrentRow(-1);
            list->clearSelection();
        }
    }
}

void frmTemplate::listClick(int row)
{
    if (row < 0 || row >= Templates.size())
        return;
    for (QListWidget* list : {List1, List2}) {
        const QSignalBlocker quiet(list);
        list->setCurrentRow(row);
    }
    if (!Ready)
        return;
    WorkSequence = Templates[row].sequence;
    ApplySequence();
}

void frmTemplate::moveBy(QString (*moved)(const QString&))
{
    if (WorkSequence.isEmpty())
        return; // nothing to move
    WorkSequence = moved(WorkSequence);
    ApplySequence();
}

void frmTemplate::ApplySequence()
{
    if (!shift_)
        return;
    // An empty cycle (a declined length never gets here, but an edited file
    // might) is not written: every date needs a position.
    if (!WorkSequence.isEmpty())
        shift_->setSequence(WorkSequence);
    markChanged();
}
