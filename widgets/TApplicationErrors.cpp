// The application's handler for exceptions that reach a Win32 callback.
#include "TApplicationErrors.h"

#include <cstdio>
#include <cstdlib>

namespace
{

std::function<void(const std::exception_ptr&)>& Handler()
{
    static std::function<void(const std::exception_ptr&)> handler;
    return handler;
}

} // namespace

void SetApplicationErrorHandler(std::function<void(const std::exception_ptr&)> handler)
{
    Handler() = std::move(handler);
}

void HandleApplicationError(const std::exception_ptr& error)
{
    if (Handler())
    {
        Handler()(error);
        return;
    }
    try
    {
        std::rethrow_exception(error);
    }
    catch (const std::exception& exception)
    {
        std::fprintf(stderr, "unhandled exception: %s\n", exception.what());
    }
    catch (...)
    {
        std::fprintf(stderr, "unhandled exception\n");
    }
    std::abort();
}
