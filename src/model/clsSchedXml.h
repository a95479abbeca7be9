#pragma once
// One stored schedule text, as the favourites list keeps it: the title and
// description are looked up in the text without building the schedule.
#include <QString>
#include <optional>

class clsSchedXml {
public:
    QString xml() const { return xml_; }
    void setXml(const QString& text)
    {
        xml_ = text;
        title_.reset();
        description_.reset();
    }

    // The schedule's own Title and Description; empty when the text has none.
    QString GetTitle() const;
    QString GetDescription() const;

private:
    QString xml_;
    // Each looked up once: a long list is sorted and searched by them again and again.
    mutable std::optional<QString> title_;
    mutable std::optional<QString> description_;
};
