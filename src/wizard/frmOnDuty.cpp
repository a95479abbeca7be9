#include "wizard/frmOnDuty.h"

#include "mainwindow/FormPlacement.h"
#include "model/DayNumber.h"
#include "model/clsSchedule.h"
#include "platform/widgets/MsgBox.h"
#include "platform/widgets/OleColor.h"
#include "wizard/frmInfo.h"
#include "wizard/frmRotation.h"

#include <QComboBox>
#include <QGridLayout>
#include <QLabel>
#include <QLocale>
#include <QPushButton>
#include <QScreen>
#include <QShortcut>

frmOnDuty::frmOnDuty(WizardHost& host)
    : WizardWindow(host, "frmOnDuty", QStringLiteral("Select Platoon On Duty"))
{
    auto label = [this](const char* name, const QString& caption) {
        auto* l = new QLabel(caption, this);
        l->setObjectName(QString::fromLatin1(name));
        return l;
    };
    auto* grid = new QGridLayout(this);
    grid->addWidget(label("Label2", QStringLiteral("Selected Date")), 0, 0);
    Label1 = label("Label1", QString());
    grid->addWidget(Label1, 0, 1, 1, 2);
    QLabel* onDuty = label("Label3", QStringLiteral("Platoon On Duty"));
    grid->addWidget(onDuty, 1, 0);
    cboPlatoon = new QComboBox(this);
    cboPlatoon->setObjectName(QStringLiteral("cboPlatoon"));
    onDuty->setBuddy(cboPlatoon);
    grid->addWidget(cboPlatoon, 1, 1);
    Label5 = label("Label5", QString());
    Label5->setAutoFillBackground(true);
    Label5->setMinimumSize(24, 20);
    Label5->setVisible(false);
    grid->addWidget(Label5, 1, 2);
    QLabel* Label4 = label("Label4", QStringLiteral("Click any day on calendar to change."));
    grid->addWidget(Label4, 2, 0, 1, 3);
    // Without a mouse: F6 goes to the calendar, where the arrow keys move
    // through the days and Enter chooses one.
    const QString keys = QStringLiteral(
        "F6 moves to the calendar: the arrow keys move through the days, Enter chooses one.");
    Label4->setToolTip(keys);
    Label4->setAccessibleDescription(keys);
    auto* toCalendar = new QShortcut(QKeySequence(Qt::Key_F6), this);
    connect(toCalendar, &QShortcut::activated, this, [this] {
        if (Host())
            Host()->FocusCalendar();
    });
    cmdUndo = button("cmdUndo", QStringLiteral("Undo"));
    cmdUndo->setEnabled(false);
    QPushButton* cmdBack = button("cmdBack", QStringLiteral("Back"));
    QPushButton* cmdNext = button("cmdNext", QStringLiteral("Next"));
    cmdNext->setDefault(true); // Enter goes on to the next step
    QPushButton* cmdDone = button("cmdDone", QStringLiteral("Done"));
    auto* buttons = new QHBoxLayout;
    for (QPushButton* b : {cmdUndo, cmdBack, cmdNext, cmdDone})
        buttons->addWidget(b);
    grid->addLayout(buttons, 3, 0, 1, 3);

    connect(cboPlatoon, &QComboBox::currentIndexChanged, this, &frmOnDuty::cboPlatoon_Click);
    connect(cmdUndo, &QPushButton::clicked, this, &frmOnDuty::cmdUndo_Click);
    connect(cmdBack, &QPushButton::clicked, this, [this] {
        LoadForm<frmRotation>(*Host())->show();
        close();
    });
    connect(cmdNext, &QPushButton::clicked, this, [this] {
        frmInfo* info = LoadForm<frmInfo>(*Host());
        info->setShiftIndex(shiftIndex_);
        info->show();
        close();
    });
    connect(cmdDone, &QPushButton::clicked, this, [this] {
        Host()->Session().setEditMode(0);
        close();
    });

    host.Session().setEditMode(1);
    setShiftIndex(host.Session().ShiftIndex());
    if (!RestoreFormSizePos(*this)) {
        // The user is told to click days on the calendar: the first time the
        // step goes beside the main window, never over its month.
        const QWidget& main = host.Window();
        const QSize decoration = main.frameGeometry().size() - main.size();
        const QScreen* screen = main.screen();
        if (screen)
            move(PlaceBeside(sizeHint().expandedTo(minimumSize()) + decoration,
                             main.frameGeometry(), screen->availableGeometry())
                     .topLeft());
    }
}

void frmOnDuty::setShiftIndex(int16_t index)
{
    shiftIndex_ = index;
    shift_ = takeShift(index);
    if (!shift_)
        return;
    StartSequence = shift_->Sequence();
    const QSignalBlocker quiet(cboPlatoon);
    cboPlatoon->clear();
    cboPlatoon->addItem(QStringLiteral("None"));
    for (const auto& p : *shift_->Platoons())
        cboPlatoon->addItem(p->Code());
    cboPlatoon->setCurrentIndex(-1);
    disableCreateSchedule();
}

void frmOnDuty::setSelectedDate(double date)
{
    if (!shift_)
        return;
    // Before 1 January 1970 the position this step edits and the platoon the
    // calendar shows (which counts earlier days as that day) disagree.
    selectedDate_ = std::max(DayNumber::wholeDay(date), DayNumber::Epoch1970);
    Label1->setText(
        QLocale(QLocale::English)
            .toString(DayNumber::toDate(selectedDate_), QStringLiteral("ddd MMM dd, yyyy")));
    SelectedPointer = shift_->Pointer(selectedDate_);
    key_ = shift_->GetKey(SelectedPointer);
    if (key_ >= 0 && key_ < cboPlatoon->count())
        cboPlatoon->setCurrentIndex(key_);
    QPalette pal = Label5->palette();
    const int32_t color = shift_->ONDuty(selectedDate_)->Color();
    pal.setColor(QPalette::Window, OleColor::toQColor(color));
    Label5->setPalette(pal);
    // The box has no text: what it shows is the colour.
    Label5->setAccessibleName(OleColor::ColorName(color));
    Label5->setVisible(true);
}

void frmOnDuty::ChoosePlatoon()
{
    activateWindow();
    raise();
    cboPlatoon->setFocus(Qt::OtherFocusReason);
}

void frmOnDuty::setKey(int16_t key)
{
    key_ = key;
    cboPlatoon->setCurrentIndex(key >= 0 && key < cboPlatoon->count() ? key : 0);
}

void frmOnDuty::cboPlatoon_Click()
{
    const int k = cboPlatoon->currentIndex();
    if (!shift_ || k < 0)
        return;
    QString s = shift_->Sequence();
    UndoSequence = s;
    if (SelectedPointer < 1 || SelectedPointer > s.size()) {
        MsgBox(QStringLiteral("Error in cboPlatoon_Click, frmOnDuty"));
        return;
    }
    s[SelectedPointer - 1] = QChar(u'0' + k);
    shift_->setSequence(s);
    if (s != StartSequence) {
        markChanged();
        setSelectedDate(selectedDate_);
        cmdUndo->setEnabled(true);
    } else if (s != UndoSequence) {
        // Back to the sequence the step opened with: nothing new to save, but
        // the calendar and the colour box still show the choice before.
        markChanged(false);
        setSelectedDate(selectedDate_);
    }
}

void frmOnDuty::cmdUndo_Click()
{
    cmdUndo->setEnabled(false);
    shift_->setSequence(UndoSequence);
    markChanged(false); // back to where the step was: nothing new to save
    // Showing the restored day is not a new choice: it must not offer Undo again.
    const QSignalBlocker quiet(cboPlatoon);
    setSelectedDate(selectedDate_);
}

void frmOnDuty::Form_Unload()
{
    WizardWindow::Form_Unload();
    SaveFormSizePos(*this);
    if (Host())
        Host()->Session().setEditMode(0);
}
