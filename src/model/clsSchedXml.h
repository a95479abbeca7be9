#pragma once
// One stored schedule text, as the favourites list keeps it: the title and
// description are looked up in the text without building the schedule.
#include <QByteArray>
#include <QString>
#include <optional>

class clsSchedXml {
public:
    QString xml() const;
    void setXml(const QString& text);
    // The text as UTF-8 bytes within `bytes` (a whole list file's, shared, not
    // copied): from `at`, `length` bytes long, valid UTF-8 starting with
    // "<Schedule".
    void setUtf8(const QByteArray& bytes, qsizetype at, qsizetype length);
    // The text as the list file holds it, added to `out`.
    void appendUtf8(QByteArray& out) const;

    // The schedule's own Title and Description; empty when the text has none.
    QString GetTitle() const;
    QString GetDescription() const;

private:
    QString lookUp(const QString& name) const;

    // Either the text itself or where its bytes are.
    QString xml_;
    QByteArray bytes_;
    qsizetype at_ = 0;
    qsizetype length_ = 0;
    // Each looked up once: a long list is sorted and searched by them again and again.
    mutable std::optional<QString> title_;
    mutable std::optional<QString> description_;
};
