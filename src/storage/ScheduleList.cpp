#include "storage/ScheduleList.h"

#include "platform/RuntimeError.h"
#include "storage/Module1Files.h"
#include "storage/ScheduleFile.h"

ScheduleList::ScheduleList(const QString& path) : path_(path)
{
    std::optional<std::vector<clsSchedXml>> entries = ReadScheduleListItems(path_);
    unreadable_ = !entries;
    if (entries)
        entries_ = std::move(*entries);
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
    clsSchedXml entry;
    entry.setXml(xml);
    write(entries_.size(), &entry);
    entries_.push_back(entry);
}

void ScheduleList::Remove(int entry)
{
    if (entry < 1 || entry > static_cast<int>(entries_.size()))
        throw Err::make(Err::SubscriptOutOfRange);
    write(static_cast<size_t>(entry - 1), nullptr);
    entries_.erase(entries_.begin() + (entry - 1));
}

void ScheduleList::Replace(int entry, const QString& xml)
{
    if (entry < 1 || entry > static_cast<int>(entries_.size()))
        throw Err::make(Err::SubscriptOutOfRange);
    clsSchedXml added;
    added.setXml(xml);
    write(static_cast<size_t>(entry - 1), &added);
    entries_.erase(entries_.begin() + (entry - 1));
    entries_.push_back(added);
}

void ScheduleList::write(size_t left, const clsSchedXml* added)
{
    if (unreadable_)
        throw Err::make(Err::PermissionDenied,
                        QStringLiteral("The list exists but cannot be read"));
    std::vector<const clsSchedXml*> lines;
    lines.reserve(entries_.size() + 1);
    for (size_t i = 0; i < entries_.size(); ++i)
        if (i != left)
            lines.push_back(&entries_[i]);
    if (added)
        lines.push_back(added);
    EnsureAppFolder();
    WriteScheduleList(path_, lines);
}
