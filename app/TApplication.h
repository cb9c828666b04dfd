// The application object: the event loop that shows the main form and runs until the program is told to
// terminate.
#pragma once

#include <windows.h>

// What the event loop needs of the main form.
class IMainForm
{
public:
    virtual ~IMainForm() = default;
    virtual HWND Handle() const = 0;
    // The keyboard shortcuts of the form's commands.
    virtual HACCEL Accelerators() const = 0;
    // Shows the form for the first time: its stored placement returns, then its show handler runs.
    virtual void ShowFirstTime() = 0;
    // A key for the form itself, before its shortcuts (moving between its panes); true when it took it.
    virtual bool FormKeyDown(const MSG& message) = 0;
};

class TApplication
{
public:
    // The process's one application object.
    static TApplication& Instance();

    // OLE (the folder tree's drag and drop and clipboard) and the common controls.
    void Initialize();
    // Whether the event loop shows the main form when it starts.
    bool ShowMainForm = true;

    // Shows the main form if ShowMainForm and the program has not been told to terminate, then handles
    // messages until it is; returns the exit code.
    int Run(IMainForm& mainForm);
    // Handles every message that is pending now, as the event loop would, and returns; a long operation calls
    // it between its steps so that painting and its Stop button keep working.
    void ProcessMessages();
    // Ends the event loop (now, or as soon as it runs) with the exit code.
    void Terminate(int exitCode = 0);
    bool Terminated() const { return terminated_; }
    int ExitCode() const { return exitCode_; }

private:
    TApplication() = default;
    ~TApplication();

    void Dispatch(MSG& message);

    // The form whose shortcuts the messages go through, while the event loop runs.
    IMainForm* mainForm_ = nullptr;
    bool oleInitialized_ = false;
    bool terminated_ = false;
    int exitCode_ = 0;
};
