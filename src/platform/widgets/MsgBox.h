#pragma once
// Modal message boxes go through the message-box service so that tests can
// answer them and read what was shown.
#include <QString>

namespace Msg {
// Button sets, icons and answers keep their classic values: they are combined
// into one style number as callers have always written them.
enum Style {
    OKOnly = 0,
    OKCancel = 1,
    AbortRetryIgnore = 2,
    YesNoCancel = 3,
    YesNo = 4,
    RetryCancel = 5,
    Critical = 16,
    Question = 32,
    Exclamation = 48,
    Information = 64,
};
enum Answer { OK = 1, Cancel = 2, Abort = 3, Retry = 4, Ignore = 5, Yes = 6, No = 7 };
constexpr int buttonsOf(int style) { return style & 0x7; }
constexpr int iconOf(int style) { return style & 0x70; }
// The answer of a button set's first button (what Enter gives).
constexpr int firstAnswerOf(int buttons)
{
    switch (buttons) {
    case YesNo:
    case YesNoCancel: return Yes;
    case AbortRetryIgnore: return Abort;
    case RetryCancel: return Retry;
    default: return OK;
    }
}
} // namespace Msg

// The application title: default title of every message box.
QString AppTitle();

// Shows a message; an empty title means the application title. Returns the answer.
int MsgBox(const QString& prompt, int style = Msg::OKOnly, const QString& title = QString());

// Held while a widget is being shown, painted or resized. A modal box runs an
// event loop of its own, and opened inside such an event it can delete widgets
// Qt's outer pass still holds (we crashed at start-up that way). Messages raised
// meanwhile open just after the event instead, each text once while it waits;
// MsgBox then answers with the first button of the set. Only plain OK messages
// are raised from those events.
class DeferMessages {
public:
    DeferMessages();
    ~DeferMessages();
    DeferMessages(const DeferMessages&) = delete;
    DeferMessages& operator=(const DeferMessages&) = delete;
    static bool active();
};
