#pragma once
// The message-box double of the window tests, and the fixture guard that
// installs it with the core doubles.
#include "platform/widgets/IMessageBox.h"
#include "platform/widgets/MsgBox.h"
#include "support/Fakes.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <QStringList>
#include <QTimer>
#include <deque>
#include <functional>
#include <memory>
#include <vector>

struct ShownMessage {
    QString text;
    int buttons;
    int icon;
    QString title;
};

// Records every message; answers from a script, else the first button of the set.
// Like a real modal box it runs an event loop of its own before it answers, so
// a box opened where that would be unsafe misbehaves in tests as it would for users.
class FakeMessageBox : public IMessageBox {
public:
    int show(const QString& text, int buttons, int icon, const QString& title) override
    {
        shown.push_back({text, buttons, icon, title});
        if (whileOpen)
            whileOpen(shown.back());
        if (QCoreApplication::instance()) {
            QEventLoop loop;
            QTimer::singleShot(0, &loop, &QEventLoop::quit);
            loop.exec();
        }
        if (!answers.empty()) {
            const int a = answers.front();
            answers.pop_front();
            return a;
        }
        return Msg::firstAnswerOf(buttons);
    }
    QStringList texts() const
    {
        QStringList l;
        for (const auto& m : shown)
            l << m.text;
        return l;
    }
    std::vector<ShownMessage> shown;
    std::deque<int> answers;
    std::function<void(const ShownMessage&)> whileOpen; // runs as the box opens
};

// The core doubles and a message box that records what it is asked to show.
class ScopedFakeUiServices : public ScopedFakeServices {
public:
    ScopedFakeUiServices() { services().messageBox = messages; }
    std::shared_ptr<FakeMessageBox> messages = std::make_shared<FakeMessageBox>();
};
