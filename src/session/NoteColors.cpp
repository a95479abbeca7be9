#include "session/NoteColors.h"

#include "session/CalSettings.h"

namespace {
const CalSettings::Key& keyOf(NoteKind kind)
{
    static const CalSettings::Key keys[] = {
        CalSettings::NoteColorNote, CalSettings::NoteColorLeave, CalSettings::NoteColorTrade,
        CalSettings::NoteColorOvertime, CalSettings::NoteColorSick};
    return keys[static_cast<size_t>(kind)];
}
} // namespace

NoteColors::NoteColors()
{
    for (NoteKind kind : AllNoteKinds)
        setColor(kind, QString::fromLatin1(keyOf(kind).defaultValue).toInt());
}

NoteColors NoteColors::Read()
{
    NoteColors colors;
    for (NoteKind kind : AllNoteKinds) {
        // A damaged entry is put back to its default; a colour is not worth a message.
        const int32_t color = CalSettings::readLong(keyOf(kind), {});
        if (color >= 0 && color <= 0xFFFFFF)
            colors.setColor(kind, color);
    }
    return colors;
}

void NoteColors::Write(NoteKind kind, int32_t color)
{
    CalSettings::writeLong(keyOf(kind), color);
}
