#include "model/clsSchedule.h"

std::shared_ptr<clsSchedule> DefaultSchedule()
{
    auto schedule = std::make_shared<clsSchedule>();
    schedule->setTitle(QStringLiteral("Tolvar Fire Department"));
    schedule->setInitials(QStringLiteral("TFD"));
    schedule->setDescription(QStringLiteral("24-Hour Shift"));

    auto shift = std::make_shared<clsShift>();
    shift->setTitle(schedule->title());
    shift->setInitials(schedule->Initials());
    shift->setDescription(schedule->Description());
    shift->setSequence(QStringLiteral("312123231"));
    const struct {
        const char* code;
        int32_t color;
    } platoons[] = {{"A", 255}, {"B", 65280}, {"C", 0}};
    for (const auto& p : platoons) {
        auto platoon = std::make_shared<clsPlatoon>();
        platoon->setDescription(QStringLiteral("Platoon"));
        platoon->setCode(QString::fromLatin1(p.code));
        platoon->setColor(p.color);
        shift->Platoons()->Add(platoon);
    }
    schedule->Shifts()->Add(shift);
    return schedule;
}
