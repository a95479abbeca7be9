#pragma once
// The message-box service: the desktop's boxes, or a test's double.
#include <QString>

class IMessageBox {
public:
    virtual ~IMessageBox() = default;
    // buttons and icon are the Msg:: values; returns a Msg::Answer.
    virtual int show(const QString& text, int buttons, int icon, const QString& title) = 0;
};

// The installed service (Services::messageBox); messages go to stderr until
// a window system service is installed.
IMessageBox& messageBox();
