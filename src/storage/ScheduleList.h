#pragma once
// The schedule list (favourites) as its file holds it. Every change is
// written at once; a change the file did not take is undone, so the list
// and the file always agree.
#include "model/clsSchedXml.h"

#include <QString>
#include <vector>

class ScheduleList {
public:
    // Reads the file; a missing file is an empty list.
    explicit ScheduleList(const QString& path);

    QString Path() const { return path_; }
    // The file is there but could not be read or decoded. It holds schedules
    // nobody can see, so every change is refused rather than written over it.
    bool Unreadable() const { return unreadable_; }
    const std::vector<clsSchedXml>& Entries() const { return entries_; }
    // The first entry (1-based) with this title and description, or 0.
    int Find(const QString& title, const QString& description) const;

    // Each raises a RuntimeError when the file cannot be written (or is
    // unreadable), the list then as it was.
    void Append(const QString& xml);
    void Remove(int entry);
    // The entry goes and the text is appended: the entries after it move up.
    void Replace(int entry, const QString& xml);

private:
    // Writes the entries but the one at `left` (0-based; none past the end),
    // then `added` when given. The list itself is changed only after the
    // file took it, in place: the entries kept keep what was looked up in them.
    void write(size_t left, const clsSchedXml* added);

    QString path_;
    std::vector<clsSchedXml> entries_;
    bool unreadable_ = false;
};
