#include "specialperiod/frmSpecialPeriod.h"

#include "model/DayNumber.h"
#include "monthcontrol/MonthGrid.h"
#include "platform/IClock.h"
#include "platform/Services.h"
#include "platform/widgets/DialogParts.h"
#include "platform/widgets/IDialogs.h"
#include "platform/widgets/OleColor.h"

#include <QCalendarWidget>
#include <QComboBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTextCharFormat>
#include <QVBoxLayout>
#include <utility>

namespace {
const QDate kReferenceDate(1970, 1, 1);
} // namespace

frmSpecialPeriod::frmSpecialPeriod(QWidget* owner, const SpecialPeriod& current)
    : QDialog(owner), current_(current), chosen_(current)
{
    setObjectName(QStringLiteral("frmSpecialPeriod"));
    setWindowTitle(QStringLiteral("Recurring Period"));
    setModal(true);

    lblStartDay = named(new QLabel(QStringLiteral("Start of Period:"), this), "lblStartDay");
    MonthView1 = named(new QCalendarWidget(this), "MonthView1");
    MonthView1->setVerticalHeaderFormat(QCalendarWidget::NoVerticalHeader);
    lblCycleLength = named(new QLabel(QStringLiteral("Days in Period:"), this), "lblCycleLength");
    cboCycleLength = named(new QComboBox(this), "cboCycleLength");
    lblNmae = named(new QLabel(QStringLiteral("Description:"), this), "lblNmae");
    txtName = named(new QLineEdit(QStringLiteral("Special Period"), this), "txtName");
    txtName->setMaxLength(SpecialPeriod::LongestName);
    cmdColor = named(new QPushButton(QStringLiteral("Change Color"), this), "cmdColor");
    cmdOK = named(new QPushButton(QStringLiteral("OK"), this), "cmdOK");
    cmdOK->setDefault(true);
    cmdCancel = named(new QPushButton(QStringLiteral("Cancel"), this), "cmdCancel");
    lblStartDay->setBuddy(MonthView1);
    lblCycleLength->setBuddy(cboCycleLength);
    lblNmae->setBuddy(txtName);
    nameCalendarParts();

    auto* fields = new QGridLayout;
    fields->addWidget(lblCycleLength, 0, 0);
    fields->addWidget(cboCycleLength, 0, 1);
    fields->addWidget(lblNmae, 1, 0);
    fields->addWidget(txtName, 1, 1);
    fields->addWidget(cmdColor, 2, 1, Qt::AlignLeft);
    auto* all = new QVBoxLayout(this);
    all->addWidget(lblStartDay);
    all->addWidget(MonthView1);
    all->addLayout(fields);
    all->addLayout(buttonRow({cmdOK, cmdCancel}));

    connect(cboCycleLength, qOverload<int>(&QComboBox::currentIndexChanged), this,
            [this](int index) {
                chosenLength_ = static_cast<int16_t>(index);
                showBlock();
            });
    connect(MonthView1, &QCalendarWidget::selectionChanged, this, [this] {
        showBlock();
        cmdOK->setFocus();
    });
    connect(cmdColor, &QPushButton::clicked, this, &frmSpecialPeriod::cmdColor_Click);
    connect(cmdOK, &QPushButton::clicked, this, &frmSpecialPeriod::cmdOK_Click);
    connect(cmdCancel, &QPushButton::clicked, this, &QDialog::reject);
    Form_Load();
}

int32_t frmSpecialPeriod::PeriodOffset(const QDate& start, int32_t length)
{
    const int64_t k = kReferenceDate.daysTo(start);
    return static_cast<int32_t>((k + 1) % length + 1);
}

void frmSpecialPeriod::Form_Load()
{
    for (int n = 0; n <= SpecialPeriod::LongestLength; ++n)
        cboCycleLength->addItem(QString::number(n));
    cboCycleLength->setCurrentIndex(current_.length);
    txtName->setText(current_.name);
    const QDate today = clockService().today();
    MonthView1->setSelectedDate(today);
    setChosenColor(current_.color);
    chosenLength_ = static_cast<int16_t>(current_.length);
    SetStart(today);
    showBlock();
}

void frmSpecialPeriod::SetStart(const QDate& date)
{
    const int length = cboCycleLength->currentIndex();
    if (chosenLength_ < 1 || length < 1)
        return;
    // The run the calendar shades that holds the date, or else the last one
    // before it: a run of L days starts every 2 L days, and the days between
    // are left white.
    const int32_t L = current_.length, offset = current_.offset;
    double day = DayNumber::fromDate(date);
    for (int k = 0; k < 2 * L && !MonthGrid::inSpecialPeriod(day, L, offset); ++k)
        day -= 1;
    for (int k = 1; k < L && MonthGrid::inSpecialPeriod(day - 1, L, offset); ++k)
        day -= 1;
    const QDate start = DayNumber::toDate(day);
    MonthView1->setSelectedDate(start);
    MonthView1->setCurrentPage(start.year(), start.month());
}

void frmSpecialPeriod::nameCalendarParts()
{
    // The picker hands the focus to its day grid, and its arrows are pictures:
    // none of them is named by the label over the picker.
    const std::pair<const char*, QString> parts[] = {
        {"qt_calendar_calendarview", lblStartDay->text()},
        {"qt_calendar_prevmonth", QStringLiteral("Previous month")},
        {"qt_calendar_nextmonth", QStringLiteral("Next month")},
        {"qt_calendar_yearedit", QStringLiteral("Year")}};
    for (const auto& [part, name] : parts)
        if (auto* w = MonthView1->findChild<QWidget*>(QString::fromLatin1(part)))
            w->setAccessibleName(name);
}

void frmSpecialPeriod::showBlock()
{
    MonthView1->setDateTextFormat(QDate(), QTextCharFormat()); // clears every day
    QTextCharFormat marked;
    marked.setBackground(OleColor::toQColor(chosenColor_, palette()));
    const QDate first = MonthView1->selectedDate();
    for (int d = 0; d < chosenLength_; ++d)
        MonthView1->setDateTextFormat(first.addDays(d), marked);
}

void frmSpecialPeriod::cmdColor_Click()
{
    int32_t chosen = chosenColor_;
    if (!dialogsService().chooseColor(this, chosenColor_, chosen))
        return; // cancelled: nothing changes, nothing is said
    setChosenColor(chosen);
    showBlock();
}

void frmSpecialPeriod::setChosenColor(int32_t color)
{
    chosenColor_ = color;
    // The colour shows only in the picker's days: the button says it.
    cmdColor->setAccessibleDescription(OleColor::ColorName(color));
}

void frmSpecialPeriod::cmdOK_Click()
{
    const QDate start = MonthView1->selectedDate();
    const int32_t length = cboCycleLength->currentIndex();
    // Without a period there is no phase to keep.
    const int32_t offset = length >= 1 ? PeriodOffset(start, length) : 0;
    chosen_.length = length;
    chosen_.offset = offset;
    chosen_.name = txtName->text();
    chosen_.color = chosenColor_;
    accept();
}

std::optional<SpecialPeriod> frmSpecialPeriod::Ask(QWidget* owner, const SpecialPeriod& current)
{
    frmSpecialPeriod box(owner, current);
    if (box.exec() != QDialog::Accepted)
        return std::nullopt;
    return box.chosen_;
}
