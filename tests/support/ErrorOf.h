#pragma once
#include "platform/RuntimeError.h"

#include <functional>
#include <string>

// The runtime error number f raises, or 0 when it raises none.
inline int errorOf(const std::function<void()>& f)
{
    try {
        f();
    } catch (const RuntimeError& e) {
        return e.number();
    }
    return 0;
}

// The same as "number description", for checks of the exact cause.
inline std::string errorTextOf(const std::function<void()>& f)
{
    try {
        f();
    } catch (const RuntimeError& e) {
        return (QString::number(e.number()) + QLatin1Char(' ') + e.description()).toStdString();
    }
    return std::string();
}
