#include "framework/ExceptionBarrier.h"

#include <cstdio>

namespace {

TExceptionHandler& Handler()
{
    static TExceptionHandler handler;
    return handler;
}

void DefaultHandler(std::exception_ptr e)
{
    try {
        std::rethrow_exception(e);
    } catch (const std::exception& ex) {
        std::fprintf(stderr, "unhandled exception: %s\n", ex.what());
    } catch (...) {
        std::fprintf(stderr, "unhandled exception\n");
    }
}

}  // namespace

void SetExceptionHandler(TExceptionHandler NewHandler)
{
    Handler() = std::move(NewHandler);
}

void HandleCurrentException() noexcept
{
    try {
        const std::exception_ptr e = std::current_exception();
        if (Handler())
            Handler()(e);
        else
            DefaultHandler(e);
    } catch (...) {
        // A failing handler must not take the process down from inside a system callback.
    }
}
