#include "mainwindow/SharedRoutines.h"

#include "platform/IShell.h"
#include "platform/Services.h"

#include <QAction>
#include <QApplication>
#include <QStringList>
#include <QWidget>

void ShellOpen(const QString& target, const std::function<void()>& failed)
{
    if (!shell().ShellOpen(target, failed) && failed)
        failed();
}

void WizardMenuGuard(QWidget* form, QAction* createSchedule)
{
    if (!createSchedule)
        return;
    createSchedule->setEnabled(true);
    const QString self = form ? form->objectName() : QString();
    static const QStringList steps = {QStringLiteral("frmPlatoons"), QStringLiteral("frmRotation"),
                                      QStringLiteral("frmOnDuty")};
    for (QWidget* w : QApplication::topLevelWidgets()) {
        if (steps.contains(w->objectName()) && w->isVisible() && w->objectName() != self)
            createSchedule->setEnabled(false);
    }
}
