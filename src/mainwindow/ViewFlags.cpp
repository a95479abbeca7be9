#include "mainwindow/ViewFlags.h"

#include "monthcontrol/ctlMonth.h"

namespace ViewFlags {
namespace {
struct Switch {
    int32_t mask;
    int32_t (*get)(const ctlMonth& m);      // the switch's bits
    void (*set)(ctlMonth& m, int32_t bits); // null: saved, never applied
};

template <bool (ctlMonth::*Get)() const, void (ctlMonth::*Set)(bool)>
constexpr Switch onOff(int32_t bit)
{
    return {bit, [](const ctlMonth& m) -> int32_t { return (m.*Get)() ? ~0 : 0; },
            [](ctlMonth& m, int32_t bits) { (m.*Set)(bits != 0); }};
}

const Switch switches[] = {
    {7, [](const ctlMonth& m) { return m.FirstWeekday(); },
     [](ctlMonth& m, int32_t bits) { m.setFirstWeekday(bits); }},
    onOff<&ctlMonth::ShowButtons, &ctlMonth::setShowButtons>(8),
    onOff<&ctlMonth::ShowFullGrid, &ctlMonth::setShowFullGrid>(16),
    {32, [](const ctlMonth& m) -> int32_t { return m.ShowToday() ? ~0 : 0; }, nullptr},
    onOff<&ctlMonth::ShowWeekends, &ctlMonth::setShowWeekends>(64),
    onOff<&ctlMonth::FontBold, &ctlMonth::setFontBold>(128),
    onOff<&ctlMonth::FitRows, &ctlMonth::setFitRows>(256),
};
} // namespace

int32_t pack(const ctlMonth& month)
{
    int32_t flags = 0;
    for (const Switch& s : switches)
        flags |= s.get(month) & s.mask;
    return flags;
}

void apply(ctlMonth& month, int32_t flags)
{
    for (const Switch& s : switches)
        if (s.set)
            s.set(month, flags & s.mask);
}
} // namespace ViewFlags
