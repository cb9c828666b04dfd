// The application-wide report of an exception that escaped an event handler: an error box naming the last
// start-up step, then the end of the program.
#pragma once

#include <exception>
#include <string>

// The box's text for the exception, with the start-up step.
std::wstring InternalErrorText(const std::wstring& stage, const std::exception_ptr& error);

void ReportInternalError(const std::exception_ptr& error);
