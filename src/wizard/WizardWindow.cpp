#include "wizard/WizardWindow.h"

#include "mainwindow/SharedRoutines.h"
#include "model/clsSchedule.h"
#include "platform/widgets/DialogParts.h"

#include <QAction>
#include <QCloseEvent>
#include <QEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>

WizardWindow::WizardWindow(WizardHost& host, const char* name, const QString& caption)
    : QDialog(&host.Window()), host_(&host)
{
    setObjectName(QString::fromLatin1(name));
    setWindowTitle(caption);
    setModal(false);
    setAttribute(Qt::WA_DeleteOnClose);
}

std::shared_ptr<clsSchedule> WizardWindow::schedule() const
{
    return host_ ? host_->Session().Schedule() : nullptr;
}

int WizardWindow::shiftCount() const
{
    const auto s = schedule();
    return s && s->Shifts() ? s->Shifts()->Count() : 0;
}

QAction* WizardWindow::createScheduleItem() const
{
    return host_ ? host_->CreateScheduleAction() : nullptr;
}

void WizardWindow::disableCreateSchedule()
{
    if (QAction* a = createScheduleItem())
        a->setEnabled(false);
}

void WizardWindow::markChanged(bool changed)
{
    if (host_)
        host_->Session().markChanged(changed);
}

std::shared_ptr<clsShift> WizardWindow::takeShift(int16_t index)
{
    const auto s = schedule();
    if (s && index >= 1 && index <= 2) {
        if (shiftCount() < index)
            s->Shifts()->Add(std::make_shared<clsShift>());
        if (shiftCount() >= index)
            return s->Shifts()->Item(index);
    }
    QTimer::singleShot(0, this, &QWidget::close);
    return nullptr;
}

QPushButton* WizardWindow::button(const char* name, const QString& caption)
{
    return plainButton(this, name, caption);
}

void WizardWindow::selectAllOnEntry(QLineEdit* box)
{
    box->installEventFilter(this);
}

bool WizardWindow::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::FocusIn) {
        if (auto* box = qobject_cast<QLineEdit*>(watched))
            // After the click that gave the focus has placed the cursor.
            QTimer::singleShot(0, box, &QLineEdit::selectAll);
    }
    return QDialog::eventFilter(watched, event);
}

void WizardWindow::Form_Unload()
{
    WizardMenuGuard(this, createScheduleItem());
}

void WizardWindow::closeEvent(QCloseEvent* event)
{
    if (!unloaded_) {
        unloaded_ = true;
        Form_Unload();
    }
    // Not QDialog's own handling: it would reject, and rejecting closes.
    event->accept();
}
