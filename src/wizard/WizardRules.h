#pragma once
// The wizard's arithmetic, apart from its windows: the rotation templates,
// the round robin a cycle length builds, how a typed length is taken, and
// the characters the stored form cannot carry.
#include <QList>
#include <QString>

struct RotationTemplate {
    QString pattern; // "X" on duty, "O" off, seen from platoon 1
    QString description;
    QString sequence;
};
// The ready-made rotations offered for a platoon count, in list order; none
// for counts without templates.
QList<RotationTemplate> TemplatesFor(int platoons);

// "1" "2" ... n, repeated.
QString RoundRobin(int platoons, int repeats);
// The leading number of a typed text (blanks skipped, a sign and a fraction
// taken), 0 when it starts with none.
double LeadingNumber(const QString& text);

// What a cycle length asks for: an entry of the list (index 0..48, length
// (index + 1) x platoons), an irregular cycle of `days` days without a
// platoon, or a refusal with the message to show.
struct CycleChoice {
    enum Kind { Entry, Irregular, Refused } kind;
    int index = -1;
    int days = 0;
    QString message;
};
inline constexpr int kCycleEntries = 49;
// Day positions are 16-bit: no cycle may be longer.
inline constexpr int kLongestCycle = 32767;
CycleChoice ChooseCycle(int selectedIndex, const QString& typed, int platoons);

// Whole-sequence moves of the template step; an empty sequence stays empty.
QString MovedLeft(const QString& s);
QString MovedRight(const QString& s);
QString Reversed(const QString& s);

// The stored form is read back by plain string search: a double quote, "|",
// "<" or ">" in a text would corrupt it. Empty when the text is safe, else
// the message naming the field and the character.
QString RefusedTextMessage(const QString& field, const QString& text);
