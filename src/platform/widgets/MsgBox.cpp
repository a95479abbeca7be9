#include "platform/widgets/MsgBox.h"

#include "platform/Services.h"
#include "platform/widgets/IMessageBox.h"

#include <QCoreApplication>
#include <QSet>

#include <cstdio>

namespace {
// Used only when no window system service has been installed.
class StderrMessageBox : public IMessageBox {
public:
    int show(const QString& text, int buttons, int, const QString& title) override
    {
        std::fprintf(stderr, "%s: %s\n", qPrintable(title), qPrintable(text));
        return buttons == Msg::RetryCancel ? int(Msg::Cancel) : Msg::firstAnswerOf(buttons);
    }
};
} // namespace

IMessageBox& messageBox()
{
    auto& s = services();
    if (!s.messageBox)
        s.messageBox = std::make_shared<StderrMessageBox>();
    return *s.messageBox;
}

QString AppTitle()
{
    return QStringLiteral("Tarnwell Free");
}

namespace {
int deferDepth = 0;

QSet<QString>& waitingMessages()
{
    static QSet<QString> texts;
    return texts;
}

} // namespace

DeferMessages::DeferMessages()
{
    ++deferDepth;
}
DeferMessages::~DeferMessages()
{
    --deferDepth;
}
bool DeferMessages::active()
{
    return deferDepth > 0;
}

int MsgBox(const QString& prompt, int style, const QString& title)
{
    const int buttons = Msg::buttonsOf(style);
    const QString shownTitle = title.isEmpty() ? AppTitle() : title;
    QCoreApplication* app = QCoreApplication::instance();
    if (!DeferMessages::active() || !app)
        return messageBox().show(prompt, buttons, Msg::iconOf(style), shownTitle);
    // The key stays until the box has closed: a repaint under the open box
    // that fails again must not stack a second copy behind it.
    const QString key = shownTitle + QLatin1Char('\n') + prompt;
    if (!waitingMessages().contains(key)) {
        waitingMessages().insert(key);
        QMetaObject::invokeMethod(
            app,
            [=] {
                messageBox().show(prompt, buttons, Msg::iconOf(style), shownTitle);
                waitingMessages().remove(key);
            },
            Qt::QueuedConnection);
    }
    return Msg::firstAnswerOf(buttons);
}
