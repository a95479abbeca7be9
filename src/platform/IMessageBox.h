#pragma once
#include <QString>

class IMessageBox {
public:
    virtual ~IMessageBox() = default;
    // buttons and icon are the Msg:: values; returns a Msg::Answer.
    virtual int show(const QString& text, int buttons, int icon, const QString& title) = 0;
};
