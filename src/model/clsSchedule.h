#pragma once
// A schedule: a title and description and its shifts (the program shows at
// most two). Its xml text is the only stored form of a schedule.
//
// The stored text form is read by plain string search, without escaping:
// a value that contains a double quote, a vertical bar "|" or ">" cannot
// survive a write and a read. Callers must keep such characters out.
#include "model/Collection.h"
#include "model/clsShift.h"

#include <QString>
#include <QStringList>
#include <memory>

class clsSchedule {
public:
    using ShiftList = Collection<std::shared_ptr<clsShift>>;

    clsSchedule();

    // <Schedule Title=".." Initials=".." Description="..">shifts</Schedule>, one line.
    QString xml() const;
    // An empty text, or one without "<Schedule", changes nothing. A missing
    // attribute reads as empty and is kept in ReadProblems. A shift element
    // without its end tag, or a bad colour, raises to the caller; Shifts then
    // stays as it was, and ReadProblems holds what was met before.
    void setXml(const QString& text);
    // The messages for the user about what the last setXml met, in order;
    // nothing is shown by the model.
    const QStringList& ReadProblems() const { return readProblems_; }

    QString title() const { return title_; }
    void setTitle(const QString& v) { title_ = v; }
    QString Initials() const { return initials_; }
    void setInitials(const QString& v) { initials_ = v; }
    QString Description() const { return description_; }
    void setDescription(const QString& v) { description_ = v; }

    std::shared_ptr<ShiftList> Shifts() const { return shifts_; }
    // Replaces the reference; the items are not copied. A null list counts as empty.
    void setShifts(std::shared_ptr<ShiftList> list);

private:
    QString title_ = QStringLiteral("Title");
    QString initials_;
    QString description_ = QStringLiteral("Description");
    std::shared_ptr<ShiftList> shifts_;
    QStringList readProblems_;
};

// The built-in schedule shown until the user has one: a new object on every call.
std::shared_ptr<clsSchedule> DefaultSchedule();
