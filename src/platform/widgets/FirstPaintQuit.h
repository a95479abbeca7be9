#pragma once
// Ends the event loop once the watched window has painted for the first time:
// start-up measurements only, switched on by TARNWELL_EXIT_AFTER_FIRST_PAINT=1.
#include <QCoreApplication>
#include <QEvent>
#include <QObject>
#include <QTimer>

inline constexpr const char* kExitAfterFirstPaintVar = "TARNWELL_EXIT_AFTER_FIRST_PAINT";

class FirstPaintQuit : public QObject {
public:
    using QObject::QObject;

    // Watches the window when the measuring variable is set.
    void watchIfRequested(QObject* window)
    {
        if (qEnvironmentVariableIntValue(kExitAfterFirstPaintVar) == 1)
            window->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::Paint && !armed_) {
            armed_ = true;
            // Queued: the rest of this paint pass still completes. Leaves without
            // closing the window, so a measuring run writes no settings.
            QTimer::singleShot(0, qApp, [] { QCoreApplication::exit(0); });
        }
        return QObject::eventFilter(watched, event);
    }

private:
    bool armed_ = false;
};
