// Where exceptions go that reach a Win32 callback: no exception may cross into Windows.
#pragma once

#include <exception>
#include <functional>

// The application installs its handler at start-up; until then, and in tests, the exception ends the process
// with its text on standard error.
void SetApplicationErrorHandler(std::function<void(const std::exception_ptr&)> handler);
void HandleApplicationError(const std::exception_ptr& error);

// Runs a callback's body and hands any exception to the application's handler, returning fallback then.
template <typename F, typename R> R GuardCallback(F&& body, R fallback)
{
    try
    {
        return body();
    }
    catch (...)
    {
        HandleApplicationError(std::current_exception());
        return fallback;
    }
}
