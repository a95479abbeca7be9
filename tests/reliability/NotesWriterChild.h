#pragma once
// The entries the notes writer child adds, by their number: the kill test
// knows from a reported number what the file must hold.
#include "model/NoteEntry.h"

inline NoteEntry writerEntry(int i)
{
    const NoteKind kind = AllNoteKinds[static_cast<size_t>(i) % AllNoteKinds.size()];
    // Lengths that vary, so that entries end all over the pages.
    return NoteEntry(45000 + i % 97, kind,
                     QStringLiteral("entry %1 ").arg(i) + QString(i % 300, QLatin1Char('x')),
                     kind == NoteKind::Trade ? QStringLiteral("Crew %1").arg(i) : QString());
}
