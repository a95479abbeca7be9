#pragma once
// One stored schedule text, as the favourites list keeps it: the title and
// description are looked up in the text without building the schedule.
#include <QString>

class clsSchedXml {
public:
    QString xml() const { return xml_; }
    void setXml(const QString& text) { xml_ = text; }

    // The schedule's own Title and Description; empty when the text has none.
    QString GetTitle() const;
    QString GetDescription() const;

private:
    QString xml_;
};
