// The barrier every window procedure, hook, timer callback and thread entry stands behind:
// no C++ exception may unwind through system frames (DWARF unwinding on i686 cannot cross
// them). A caught exception goes to the installed handler (the application's HandleException).
#pragma once

#include <exception>
#include <functional>

using TExceptionHandler = std::function<void(std::exception_ptr)>;

// Installs the handler; an empty handler restores the default (writes the message to stderr).
void SetExceptionHandler(TExceptionHandler Handler);

// Hands the exception being handled to the handler. Call only inside a catch block. Never throws.
void HandleCurrentException() noexcept;

// Runs F behind the barrier; false when it raised.
template <class F>
bool Guarded(F&& Body) noexcept
{
    try {
        Body();
        return true;
    } catch (...) {
        HandleCurrentException();
        return false;
    }
}
