#pragma once
// One rotation: a sequence of platoon numbers, one character per day of the
// cycle, anchored to 1 January 1970, and the platoons it names.
//
// The stored text form is read by plain string search, without escaping:
// a value that contains a double quote, a vertical bar "|" or ">" cannot
// survive a write and a read. Callers must keep such characters out.
#include "model/Collection.h"
#include "model/clsPlatoon.h"

#include <QString>
#include <cstdint>
#include <memory>

class clsShift {
public:
    using PlatoonList = Collection<std::shared_ptr<clsPlatoon>>;

    clsShift();

    // <Shift Title=".." Initials=".." Description=".." Sequence="..">platoons</Shift>
    QString xml() const;
    // An empty text changes nothing. Missing attributes read as empty and are
    // added to problems. Errors of a platoon's colour propagate; the platoons
    // read so far are kept.
    void setXml(const QString& text, QStringList& problems);

    QString title() const { return title_; }
    void setTitle(const QString& v) { title_ = v; }
    QString Initials() const { return initials_; }
    void setInitials(const QString& v) { initials_ = v; }
    QString Description() const { return description_; }
    void setDescription(const QString& v) { description_ = v; }
    QString Sequence() const { return sequence_; }
    void setSequence(const QString& v);
    int32_t SequenceLength() const { return sequenceLength_; }

    // The collection itself, shared: changes through it are changes of the shift.
    std::shared_ptr<PlatoonList> Platoons() const { return platoons_; }
    // Replaces the reference; the items are not copied. A null list counts as empty.
    void setPlatoons(std::shared_ptr<PlatoonList> list);

    // The platoon on duty on a date: the very object held in Platoons, or a
    // new default platoon for a day off or a number without a platoon.
    // Dates before 1 January 1970 count as that day; the time of day is ignored.
    std::shared_ptr<clsPlatoon> ONDuty(double date) const;
    // The 1-based position in Sequence that a date uses (0 or less before
    // 31 December 1969). Division by zero (11) for an empty Sequence.
    int16_t Pointer(double date) const;
    // The platoon number at a 1-based position, 0 when it names no platoon.
    // Invalid procedure call (5) outside 1..SequenceLength.
    int16_t GetKey(int index) const;

private:
    int platoonAt(int index) const;

    QString title_;
    QString initials_;
    QString description_ = QStringLiteral("Shift");
    QString sequence_ = QStringLiteral("0");
    int32_t sequenceLength_ = 1;
    std::shared_ptr<PlatoonList> platoons_;
};
