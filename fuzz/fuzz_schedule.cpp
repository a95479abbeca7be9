// Feeds arbitrary bytes to the schedule file reader, the schedule text reader
// and the list file reader. Errors raised to the caller are expected; a crash,
// a hang, a sanitizer report or a broken invariant is not.
#include "model/clsSchedXml.h"
#include "model/clsSchedule.h"
#include "platform/RuntimeError.h"
#include "storage/ScheduleFile.h"

#include <cstdint>
#include <cstdlib>
#include <cstring>

namespace {
void check(bool condition)
{
    if (!condition)
        std::abort();
}

// What the reader accepted, written again, must read back to the same text.
void checkRoundTrip(const clsSchedule& read)
{
    const QString text = read.xml();
    clsSchedule again;
    again.setXml(text);
    check(again.xml() == text);
}

void exerciseRotation(const clsSchedule& schedule, double date)
{
    for (const auto& shift : *schedule.Shifts()) {
        const auto onDuty = shift->ONDuty(date);
        check(onDuty != nullptr);
        if (shift->SequenceLength() < 1 || date < 25568.0)
            continue;
        try {
            const int16_t key = shift->GetKey(shift->Pointer(date));
            if (key != 0)
                check(onDuty == shift->Platoons()->Item(key));
        } catch (const RuntimeError&) {
            // Positions beyond 16 bits overflow, as they must.
        }
    }
}

void readSchedule(const QString& text, double date)
{
    clsSchedule schedule;
    try {
        schedule.setXml(text);
    } catch (const RuntimeError&) {
        return;
    }
    checkRoundTrip(schedule);
    exerciseRotation(schedule, date);
}
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));

    // A date within a few centuries of the reference day, from the first bytes.
    uint32_t seed = 0;
    std::memcpy(&seed, data, size < sizeof seed ? size : sizeof seed);
    const double date =
        25569.0 - 1000.0 + static_cast<double>(seed % 200000u) + (seed >> 24) / 256.0;

    if (const auto text = DecodeFileText(bytes))
        readSchedule(*text, date);

    if (const auto line = ScheduleLineOf(bytes)) {
        check(line->startsWith(QStringLiteral("<Schedule")));
        readSchedule(*line, date);
    }

    for (const QString& entry : ScheduleListEntriesOf(bytes).value_or(QStringList())) {
        check(entry.startsWith(QStringLiteral("<Schedule")));
        check(!entry.contains(QLatin1Char('\n')) && !entry.contains(QLatin1Char('\r')));
        clsSchedXml item;
        item.setXml(entry);
        const QString title = item.GetTitle();
        const QString description = item.GetDescription();
        check(!title.contains(QLatin1Char('"')) && !description.contains(QLatin1Char('"')));
    }
    return 0;
}
