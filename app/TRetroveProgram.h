// The program's start: the failure report, the common-controls check, the windows created once in their
// order, the main window's initialisation, then the event loop.
#pragma once

#include "CommonControlsCheck.h"
#include "TFAbout.h"
#include "TFActionMessage.h"
#include "TFFilter.h"
#include "TFFind.h"
#include "TFMain.h"
#include "TFProperties.h"
#include "TFRename.h"
#include "UBrowseDirectory.h"

#include <functional>
#include <memory>

// Every window of the program; each lives until the program ends and is shown when needed.
struct TRetroveForms
{
    std::unique_ptr<TFMain> FMain;
    std::unique_ptr<TFActionMessage> FActionMessage;
    std::unique_ptr<TFAbout> FAbout;
    std::unique_ptr<TFRename> FRename;
    std::unique_ptr<TFFilter> FFilter;
    std::unique_ptr<TFFind> FFind;
    std::unique_ptr<TFProperties> FProperties;
    std::unique_ptr<TFBrowseDirectory> FBrowseDirectory;
};

class TRetroveProgram
{
public:
    // The reader of the common-controls version; the system's library unless a caller knows better.
    explicit TRetroveProgram(std::function<uint32_t()> commonControlsVersion = ReadCommonControlsVersion);
    ~TRetroveProgram();

    TRetroveProgram(const TRetroveProgram&) = delete;
    TRetroveProgram& operator=(const TRetroveProgram&) = delete;

    // Everything before the event loop.
    void Start();
    // The event loop; returns the exit code.
    int Run();
    // Start and Run; a failure of the start itself is reported like any other, and ends the program.
    int Execute();

    const TRetroveForms& Forms() const { return forms_; }

private:
    void CreateForms();

    std::function<uint32_t()> commonControlsVersion_;
    TRetroveForms forms_;
};
