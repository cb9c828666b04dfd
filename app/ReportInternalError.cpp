// The internal-error report.
#include "ReportInternalError.h"

#include "AppIdentity.h"
#include "ProgramState.h"
#include "TApplication.h"
#include "TModal.h"
#include "WindowParts.h"

#include <windows.h>

namespace
{

std::wstring MessageOf(const std::exception_ptr& error)
{
    try
    {
        std::rethrow_exception(error);
    }
    catch (const std::exception& exception)
    {
        return WideFromAnsi(exception.what());
    }
    catch (...)
    {
        return L"unknown exception";
    }
}

} // namespace

std::wstring InternalErrorText(const std::wstring& stage, const std::exception_ptr& error)
{
    return L"Retrove 98 Internal Error: " + stage + L"\r\nException: " + MessageOf(error) +
           L"\r\n\r\nPlease report this error to " + kSupportAddress;
}

void ReportInternalError(const std::exception_ptr& error)
{
    // A second failure while the first box is up (a paint, a timer) adds no second box: the program ends.
    static bool reporting = false;
    if (reporting || TApplication::Instance().Terminated())
        return;
    reporting = true;
    TModal::ShowMessage(nullptr, InternalErrorText(Program().StartupStage, error), L"Error",
                       MB_OK | MB_ICONERROR | MB_TASKMODAL);
    reporting = false;
    TApplication::Instance().Terminate(1);
}
