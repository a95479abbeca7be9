#include "wizard/WizardHost.h"

#include <QAction>
#include <QWidget>

WizardHost::WizardHost(QWidget& window, CalendarSession& session, QAction& createSchedule,
                       std::function<double()> firstDayShown, std::function<bool()> debugShown)
    : QObject(&window), window_(window), session_(session), createSchedule_(&createSchedule),
      firstDayShown_(std::move(firstDayShown)), debugShown_(std::move(debugShown))
{
}
