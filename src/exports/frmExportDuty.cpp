#include "exports/frmExportDuty.h"

#include "exports/ExportSources.h"
#include "model/DayNumber.h"
#include "model/clsSchedule.h"
#include "platform/IClock.h"
#include "platform/Services.h"
#include "platform/widgets/DialogParts.h"
#include "platform/widgets/IDialogs.h"
#include "platform/widgets/MsgBox.h"
#include "platform/widgets/OleColor.h"
#include "platform/widgets/ReportError.h"
#include "storage/NotesStore.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QDir>
#include <QFileInfo>
#include <QFormLayout>
#include <QLabel>
#include <QPixmap>
#include <QPushButton>
#include <QSpinBox>
#include <QTimeEdit>
#include <QVBoxLayout>

namespace {
const QString kUnit = QStringLiteral("frmExportDuty");
const QString kCaption = QStringLiteral("Export Duty Days");

QIcon swatch(int32_t color)
{
    QPixmap p(16, 16);
    p.fill(OleColor::toQColor(color));
    return QIcon(p);
}
} // namespace

frmExportDuty::frmExportDuty(QWidget* owner, std::shared_ptr<clsSchedule> schedule, int shiftIndex,
                             const SpecialPeriod& period, std::shared_ptr<NotesStore> notes,
                             const QString& notesUnavailable)
    : QDialog(owner), schedule_(std::move(schedule)), shiftIndex_(shiftIndex), period_(period),
      notes_(notes && notes->IsOpen() ? std::move(notes) : nullptr)
{
    setObjectName(kUnit);
    setWindowTitle(kCaption);
    setModal(true);

    cboShift = named(new QComboBox(this), "cboShift");
    cboPlatoon = named(new QComboBox(this), "cboPlatoon");
    dtpFirstDate = named(new QDateEdit(this), "dtpFirstDate");
    dtpFirstDate->setCalendarPopup(true);
    dtpFirstDate->setDisplayFormat(QStringLiteral("yyyy-MM-dd"));
    // The rotation counts every earlier day as 1 January 1970.
    dtpFirstDate->setMinimumDate(QDate(1970, 1, 1));
    dtpFirstDate->setDate(clockService().today());
    tmeStart = named(new QTimeEdit(QTime(7, 0), this), "tmeStart");
    tmeStart->setDisplayFormat(QStringLiteral("HH:mm"));
    spnHours = named(new QSpinBox(this), "spnHours");
    spnHours->setRange(0, Ics::MaxHours);
    spnHours->setValue(24);
    spnHours->setSpecialValueText(QStringLiteral("All day"));
    chkSpecialPeriod = named(new QCheckBox(this), "chkSpecialPeriod");
    chkNotes = named(new QCheckBox(QStringLiteral("Include &notes"), this), "chkNotes");
    cmdExport = named(new QPushButton(QStringLiteral("&Export..."), this), "cmdExport");
    cmdExport->setDefault(true);
    cmdCancel = plainButton(this, "cmdCancel", QStringLiteral("Cancel"));

    auto* fields = new QFormLayout;
    fields->addRow(QStringLiteral("&Shift:"), cboShift);
    fields->addRow(QStringLiteral("&Platoon:"), cboPlatoon);
    fields->addRow(QStringLiteral("&First date:"), dtpFirstDate);
    fields->addRow(QStringLiteral("Duty &begins at:"), tmeStart);
    fields->addRow(QStringLiteral("&Hours on duty:"), spnHours);
    auto* all = new QVBoxLayout(this);
    all->addLayout(fields);
    all->addWidget(chkSpecialPeriod);
    all->addWidget(chkNotes);
    all->addLayout(buttonRow({cmdExport, cmdCancel}));

    const auto shifts = schedule_->Shifts();
    for (int i = 1; i <= shifts->Count() && i <= 2; ++i)
        cboShift->addItem(
            QStringLiteral("Shift %1 - %2").arg(i).arg(shifts->Item(i)->Description()), i);
    const int shown = shiftIndex_;
    cboShift->setCurrentIndex(shown >= 1 && shown <= cboShift->count() ? shown - 1 : 0);
    fillPlatoons();

    const bool hasPeriod = period_.length >= 1;
    chkSpecialPeriod->setText(QStringLiteral("&Add the recurring period \"%1\"").arg(period_.name));
    chkSpecialPeriod->setChecked(hasPeriod);
    chkSpecialPeriod->setVisible(hasPeriod);
    // Shown but off without a store, so the user learns why there are no notes.
    chkNotes->setEnabled(notes_ != nullptr);
    if (!notes_)
        chkNotes->setToolTip(notesUnavailable);

    connect(cboShift, qOverload<int>(&QComboBox::currentIndexChanged), this,
            &frmExportDuty::fillPlatoons);
    // The colour of the platoon shown is only a picture: the box says it.
    connect(cboPlatoon, qOverload<int>(&QComboBox::currentIndexChanged), this, [this](int i) {
        cboPlatoon->setAccessibleDescription(
            cboPlatoon->itemData(i, Qt::AccessibleDescriptionRole).toString());
    });
    // All-day events have no start time.
    connect(spnHours, qOverload<int>(&QSpinBox::valueChanged), this,
            [this](int hours) { tmeStart->setEnabled(hours > 0); });
    connect(cmdExport, &QPushButton::clicked, this, [this] {
        guarded(QStringLiteral("cmdExport_Click"), UnitKind::Form, kUnit,
                [this] { cmdExport_Click(); });
    });
    connect(cmdCancel, &QPushButton::clicked, this, &QDialog::reject);
}

void frmExportDuty::fillPlatoons()
{
    cboPlatoon->clear();
    cboPlatoon->addItem(QStringLiteral("All platoons"), 0);
    const auto shifts = schedule_->Shifts();
    const int shift = cboShift->currentData().toInt();
    if (shift < 1 || shift > shifts->Count())
        return;
    const auto platoons = shifts->Item(shift)->Platoons();
    for (int i = 1; i <= platoons->Count(); ++i) {
        const auto& p = platoons->Item(i);
        cboPlatoon->addItem(swatch(p->Color()), p->Code() + QLatin1Char(' ') + p->Description(), i);
        cboPlatoon->setItemData(cboPlatoon->count() - 1, OleColor::ColorName(p->Color()),
                                Qt::AccessibleDescriptionRole);
    }
}

Ics::Options frmExportDuty::options() const
{
    Ics::Options o;
    o.shiftIndex = cboShift->currentData().toInt();
    o.platoon = cboPlatoon->currentData().toInt();
    o.first = dtpFirstDate->date();
    o.start = tmeStart->time();
    o.hours = spnHours->value();
    o.stamp = clockService().now();
    o.zone = QTimeZone::systemTimeZone();
    if (period_.length >= 1 && chkSpecialPeriod->isChecked())
        o.special = specialPeriodFor(period_.name, period_.length, period_.offset);
    if (notes_ && chkNotes->isChecked())
        o.notes = notes_->EntriesBetween(DayNumber::fromDate(o.first),
                                         DayNumber::fromDate(QDate(9999, 12, 31)));
    return o;
}

void frmExportDuty::cmdExport_Click()
{
    const clsSchedule& schedule = *schedule_;
    Ics::Options o;
    try {
        o = options();
    } catch (const RuntimeError& e) {
        MsgBox(e.description() + QStringLiteral("\r\n\r\nNothing was written."),
               Msg::OKOnly | Msg::Exclamation, kCaption);
        return;
    }
    const Ics::Result result = Ics::exportDutyDays(schedule, o);
    if (!result.problem.isEmpty()) {
        MsgBox(result.problem, Msg::OKOnly | Msg::Exclamation, kCaption);
        return;
    }
    const QString code =
        o.platoon == 0
            ? QStringLiteral("All")
            : schedule.Shifts()->Item(o.shiftIndex)->Platoons()->Item(o.platoon)->Code().trimmed();
    QString path =
        dialogsService().saveFileName(this, kCaption, defaultIcsPath(schedule.title(), code),
                                      QStringLiteral("iCalendar (*.ics)|*.ics"));
    if (path.isEmpty())
        return;
    // A name typed without an extension still makes a calendar file.
    if (QFileInfo(path).suffix().isEmpty())
        path += QStringLiteral(".ics");
    const QString error = Ics::writeFile(path, result.text);
    if (!error.isEmpty()) {
        MsgBox(QStringLiteral("The calendar could not be written to\r\n%1\r\n\r\n%2")
                   .arg(QDir::toNativeSeparators(path), error),
               Msg::OKOnly | Msg::Exclamation, kCaption);
        return;
    }
    accept();
}
