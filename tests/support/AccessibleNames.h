#pragma once
// A shown window read as a screen reader reads it: through its accessible
// tree. Texts come back as std::string, so that a failure prints them.
#include <QAccessible>
#include <QStringList>
#include <QWidget>
#include <functional>
#include <string>

// On Linux a combo box's name is the entry it shows: what the box is for
// reaches the screen reader through its label relation.
inline QString spokenName(QAccessibleInterface* i)
{
    if (i->role() != QAccessible::ComboBox)
        return i->text(QAccessible::Name);
    const auto labels = i->relations(QAccessible::Label);
    return labels.isEmpty() ? QString() : labels.first().first->text(QAccessible::Name);
}
inline std::string spokenName(QWidget* w)
{
    return spokenName(QAccessible::queryAccessibleInterface(w)).toStdString();
}
inline std::string spokenDescription(QWidget* w)
{
    return QAccessible::queryAccessibleInterface(w)->text(QAccessible::Description).toStdString();
}

// The shown controls a user can reach that announce no name, as "class:objectName".
// Rows and cells of lists are data, not controls.
inline std::string unnamedControls(QWidget* window)
{
    using R = QAccessible::Role;
    const QList<R> controls{R::EditableText, R::ComboBox, R::CheckBox,   R::RadioButton,
                            R::List,         R::SpinBox,  R::PushButton, R::ButtonMenu,
                            R::Table,        R::MenuItem, R::Slider,     R::ButtonDropDown};
    QStringList found;
    std::function<void(QAccessibleInterface*)> walk = [&](QAccessibleInterface* i) {
        if (!i || !i->object() || i->state().invisible)
            return;
        if ((i->state().focusable || controls.contains(i->role())) &&
            spokenName(i).trimmed().isEmpty())
            found << QString::fromLatin1(i->object()->metaObject()->className()) + ':' +
                         i->object()->objectName();
        for (int k = 0; k < i->childCount(); ++k)
            walk(i->child(k));
    };
    walk(QAccessible::queryAccessibleInterface(window));
    return found.join(' ').toStdString();
}
