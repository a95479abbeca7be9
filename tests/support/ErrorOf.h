#pragma once
#include "platform/RuntimeError.h"

#include <functional>

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
