#pragma once
// The recurring special period (a pay period, say) as the settings hold it:
// runs of `length` days that start every 2 * length days from the offset.
#include "session/CalSettings.h"

#include <QString>
#include <cstdint>

struct SpecialPeriod {
    // The longest length the period's dialog offers.
    static constexpr int32_t LongestLength = 28;
    // The longest name it takes: the name is a menu item.
    static constexpr int LongestName = 40;

    int32_t length = 0; // 0: there is none
    int32_t offset = 0;
    QString name = QString::fromLatin1(CalSettings::SpecialPeriodName.defaultValue);
    int32_t color = QByteArray(CalSettings::SpecialPeriodColor.defaultValue).toInt();
    bool shown = false; // View > the period's name

    // Each stored value that cannot be read goes to onError and is replaced
    // in the store by its default, unless told not to. A length outside 0 to
    // LongestLength is such a value: it would paint runs the dialog cannot show.
    static SpecialPeriod load(const CalSettings::ReadError& onError,
                              CalSettings::Repair repair = CalSettings::Repair::Yes);
    // The View menu's item: a blank name shows as the default name, not as
    // an empty row with only a check mark.
    static QString menuText(const QString& name);

    bool operator==(const SpecialPeriod& o) const
    {
        return length == o.length && offset == o.offset && name == o.name && color == o.color &&
               shown == o.shown;
    }
    bool operator!=(const SpecialPeriod& o) const { return !(*this == o); }
};
