#pragma once

#include "text/error.h"

namespace tressal::teachers {

// The value of a read that may fail on a missing or unreadable element, or
// the fallback when it fails.
template <typename Read, typename Value> Value GuardedRead(const Read& read, Value fallback) {
    try {
        return read();
    } catch (const Error&) {
        return fallback;
    }
}

} // namespace tressal::teachers
