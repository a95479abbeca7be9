#pragma once
// What a crew member marks on a day: a note, leave, a shift trade, overtime
// or a sick day, with a short text.
#include <QString>
#include <QtGlobal>
#include <array>
#include <optional>

// The numbers are what the notes file stores: never renumber, only add.
enum class NoteKind { Note = 0, Leave = 1, Trade = 2, Overtime = 3, Sick = 4 };

constexpr std::array<NoteKind, 5> AllNoteKinds = {NoteKind::Note, NoteKind::Leave, NoteKind::Trade,
                                                  NoteKind::Overtime, NoteKind::Sick};

// The name as the user reads it: "Note", "Leave", "Trade", "Overtime", "Sick".
QString NoteKindName(NoteKind kind);
// Back from such a name, in any case; nothing for any other text.
std::optional<NoteKind> NoteKindFromName(const QString& name);

class NoteEntry {
public:
    // In characters as the user counts them (a character outside the Basic
    // Multilingual Plane, an emoji say, is one).
    static constexpr int MaxTextLength = 500;

    NoteEntry() = default;
    NoteEntry(double date, NoteKind kind, const QString& text = QString(),
              const QString& person = QString());

    // 0 until the entry is stored.
    qint64 Id() const { return id_; }
    void setId(qint64 v) { id_ = v; }
    // A whole day number (DayNumber.h); the time of day is dropped.
    double Date() const { return date_; }
    void setDate(double v);
    NoteKind Kind() const { return kind_; }
    void setKind(NoteKind v) { kind_ = v; }
    QString Text() const { return text_; }
    void setText(const QString& v) { text_ = v; }
    // The other person of a trade; empty for every other kind.
    QString Person() const { return person_; }
    void setPerson(const QString& v) { person_ = v; }

    // One line for a tooltip or a calendar: "Leave: summer week", "Trade
    // with Smith: covers my Tuesday", or the kind alone without a text.
    QString Summary() const;

    // Why the entry cannot be stored, in words for the user; empty when it
    // can. Checked before a save rather than cut to fit, so nothing the
    // user typed is lost without a word.
    QString Problem() const;

    bool operator==(const NoteEntry& o) const;
    bool operator!=(const NoteEntry& o) const { return !(*this == o); }

private:
    qint64 id_ = 0;
    double date_ = 0;
    NoteKind kind_ = NoteKind::Note;
    QString text_;
    QString person_;
};

// Characters as the user counts them: a surrogate pair is one.
int CharacterCount(const QString& text);
