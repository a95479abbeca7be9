#include "wizard/frmSave.h"

#include "favorites/frmOpen.h"
#include "model/clsSchedule.h"
#include "platform/RuntimeError.h"
#include "platform/widgets/MsgBox.h"
#include "session/CalendarSession.h"
#include "storage/Module1Files.h"
#include "storage/ScheduleFile.h"

#include <QDir>
#include <QFileInfo>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

frmSave::frmSave(QWidget* owner, CalendarSession& session)
    : QDialog(owner), owner_(owner), session_(session)
{
    setObjectName(QStringLiteral("frmSave"));
    setWindowTitle(QStringLiteral("Save Schedule"));
    auto* layout = new QVBoxLayout(this);
    auto* label =
        // Intended as written, stray full stop and comma included: the texts
        // are the ones users and their instructions know.
        new QLabel(QStringLiteral("The schedule has been.modified. Choose an option."), this);
    label->setObjectName(QStringLiteral("Label1"));
    layout->addWidget(label);
    const QString captions[] = {QStringLiteral("Save as My Schedule "),
                                QStringLiteral("Save to list."),
                                QStringLiteral(",Do not Save, schedule will be lost.")};
    for (int i = 0; i < 3; ++i) {
        OptSave[i] = new QRadioButton(captions[i], this);
        OptSave[i]->setObjectName(QStringLiteral("OptSave_%1").arg(i));
        layout->addWidget(OptSave[i]);
    }
    OptSave[1]->setChecked(true);
    auto* cmdOK = new QPushButton(QStringLiteral("OK"), this);
    cmdOK->setObjectName(QStringLiteral("cmdOK"));
    cmdOK->setDefault(true);
    layout->addWidget(cmdOK, 0, Qt::AlignRight);
    connect(cmdOK, &QPushButton::clicked, this, &frmSave::cmdOK_Click);
}

frmSave::Outcome frmSave::Ask(QWidget* owner, CalendarSession& session)
{
    frmSave dialog(owner, session);
    dialog.exec();
    return dialog.Result();
}

void frmSave::SaveAsMySchedule()
{
    const QString path = ScheduleFilePath();
    if (QFileInfo::exists(path) && ReadScheduleFile(path).unreadable) {
        MsgBox(QStringLiteral("Your schedule file %1 exists but cannot be read, so the schedule "
                              "was not saved: writing it now would lose what it holds. It is "
                              "still unsaved.")
                   .arg(QDir::toNativeSeparators(path)),
               Msg::OKOnly | Msg::Critical, windowTitle());
        outcome_ = Outcome::SaveFailed;
        return;
    }
    try {
        EnsureAppFolder();
        WriteScheduleFile(path, session_.Schedule()->xml());
        session_.setDataChanged(false);
        outcome_ = Outcome::Done;
    } catch (const RuntimeError& e) {
        MsgBox(QStringLiteral("The schedule could not be saved to %1 (%2). It is still unsaved.")
                   .arg(QDir::toNativeSeparators(path), e.description()),
               Msg::OKOnly | Msg::Critical, windowTitle());
        outcome_ = Outcome::SaveFailed;
    }
}

void frmSave::cmdOK_Click()
{
    if (!owner_)
        return;
    if (OptSave[0]->isChecked()) {
        SaveAsMySchedule();
    } else if (OptSave[1]->isChecked()) {
        const auto added = frmOpen::AddToList(owner_, session_, *session_.Schedule());
        outcome_ = added == frmOpen::AddResult::Failed ? Outcome::SaveFailed : Outcome::Done;
    } else {
        session_.setDataChanged(false);
        outcome_ = Outcome::Done;
    }
    accept();
}
