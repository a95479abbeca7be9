#pragma once
// The colour each kind of day entry is marked in (0x00BBGGRR), as the user
// chose it in the settings or the default.
#include "model/NoteEntry.h"

#include <array>
#include <cstdint>

class NoteColors {
public:
    // The defaults: told apart from each other and from the usual platoon
    // colours at the size of a corner mark.
    NoteColors();
    // From the settings; an entry that cannot be read gives its default.
    static NoteColors Read();

    int32_t Color(NoteKind kind) const { return colors_[static_cast<size_t>(kind)]; }
    void setColor(NoteKind kind, int32_t color) { colors_[static_cast<size_t>(kind)] = color; }
    // Stores one kind's colour in the settings.
    static void Write(NoteKind kind, int32_t color);

    bool operator==(const NoteColors& o) const { return colors_ == o.colors_; }
    bool operator!=(const NoteColors& o) const { return !(*this == o); }

private:
    std::array<int32_t, AllNoteKinds.size()> colors_{};
};
