#pragma once
// Small pieces every dialog window is built from.
#include <QHBoxLayout>
#include <QPushButton>
#include <QString>
#include <initializer_list>

// Gives a control the name the program and its tests know it by.
template <class W> W* named(W* control, const char* name)
{
    control->setObjectName(QString::fromLatin1(name));
    return control;
}

// A button that Enter in a text box does not press: windows that take typing
// leave Enter to the box or choose their default button themselves.
inline QPushButton* plainButton(QWidget* owner, const char* name, const QString& caption)
{
    auto* b = named(new QPushButton(caption, owner), name);
    b->setAutoDefault(false);
    return b;
}

// The dialog's buttons, in a row at the bottom right.
inline QHBoxLayout* buttonRow(std::initializer_list<QWidget*> buttons)
{
    auto* row = new QHBoxLayout;
    row->addStretch(1);
    for (QWidget* b : buttons)
        row->addWidget(b);
    return row;
}
