#include "storage/ScheduleList.h"

#include "platform/RuntimeError.h"
#include "storage/Module1Files.h"
#include "storage/ScheduleFile.h"

ScheduleList::ScheduleList(const QString& path) : path_(path)
{
    const std::optional<QStringList> lines = ReadScheduleList(path_);
    unreadable_ = !lines;
    entries_.reserve(lines ? static_cast<size_t>(lines->size()) : 0);
    for (const QString& line : lines.value_or(QStringList())) {
        clsSchedXml entry;
        entry.setXml(line);
        entries_.push_back(entry);
    }
}

int ScheduleList::Find(const QString& title, const QString& description) const
{
    for (size_t i = 0; i < entries_.size(); ++i)
        if (entries_[i].GetTitle() == title && entries_[i].GetDescription() == description)
            return static_cast<int>(i) + 1;
    return 0;
}

void ScheduleList::Append(const QString& xml)
{
    QStringList lines = texts();
    lines << xml;
    write(lines);
    clsSchedXml entry;
    entry.setXml(xml);
    entries_.push_back(entry);
}

void ScheduleList::Remove(int entry)
{
    if (entry < 1 || entry > static_cast<int>(entries_.size()))
        throw Err::make(Err::SubscriptOutOfRange);
    QStringList lines = texts();
    lines.removeAt(entry - 1);
    write(lines);
    entries_.erase(entries_.begin() + (entry - 1));
}

void ScheduleList::Replace(int entry, const QString& xml)
{
    if (entry < 1 || entry > static_cast<int>(entries_.size()))
        throw Err::make(Err::SubscriptOutOfRange);
    QStringList lines = texts();
    lines.removeAt(entry - 1);
    lines << xml;
    write(lines);
    entries_.erase(entries_.begin() + (entry - 1));
    clsSchedXml added;
    added.setXml(xml);
    entries_.push_back(added);
}

QStringList ScheduleList::texts() const
{
    QStringList lines;
    lines.reserve(static_cast<qsizetype>(entries_.size()) + 1);
    for (const clsSchedXml& e : entries_)
        lines << e.xml();
    return lines;
}

void ScheduleList::write(const QStringList& lines)
{
    if (unreadable_)
        throw Err::make(Err::PermissionDenied,
                        QStringLiteral("The list exists but cannot be read"));
    EnsureAppFolder();
    WriteScheduleList(path_, lines);
}
