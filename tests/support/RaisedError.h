// The run-time error that a call raises, for the tests of the runtime, the interpreter and the plot.
#pragma once

#include "RuntimeError.h"

#include <optional>
#include <utility>

// The error f raises, if any.
template <class F>
std::optional<RuntimeError> raisedBy(F&& f)
{
    try {
        std::forward<F>(f)();
    } catch (const RuntimeError& e) {
        return e;
    }
    return std::nullopt;
}

// Its number, or 0 when f raises nothing.
template <class F>
int errorOf(F&& f)
{
    const std::optional<RuntimeError> e = raisedBy(std::forward<F>(f));
    return e ? e->number() : 0;
}
