// The program's start and its event loop.
#include "TRetroveProgram.h"

#include "AppIdentity.h"
#include "ProgramState.h"
#include "ReportInternalError.h"
#include "TApplication.h"
#include "TApplicationErrors.h"

TRetroveProgram::TRetroveProgram(std::function<uint32_t()> commonControlsVersion)
    : commonControlsVersion_(std::move(commonControlsVersion))
{
}

TRetroveProgram::~TRetroveProgram()
{
    // The other windows first: the main window owns them, and lets go of those its commands work with.
    if (forms_.FMain != nullptr)
        forms_.FMain->SetActionWindows(nullptr, nullptr);
    forms_.FBrowseDirectory.reset();
    forms_.FProperties.reset();
    forms_.FFind.reset();
    forms_.FFilter.reset();
    forms_.FRename.reset();
    forms_.FAbout.reset();
    forms_.FActionMessage.reset();
    forms_.FMain.reset();
    Program().NWBase1.reset();
}

void TRetroveProgram::Start()
{
    SetApplicationErrorHandler(ReportInternalError);
    TApplication& application = TApplication::Instance();
    application.ShowMainForm = false;
    Program().StartupStage = kStageRetroveInitialize;
    CheckCommonControlsVersion(commonControlsVersion_);
    application.Initialize();
    Program().StartupStage = kStageCreateForms;
    CreateForms();
    forms_.FMain->InitializeMainWindow();
}

void TRetroveProgram::CreateForms()
{
    forms_.FMain = std::make_unique<TFMain>();
    HWND owner = forms_.FMain->Handle();
    forms_.FActionMessage = std::make_unique<TFActionMessage>(owner);
    forms_.FAbout = std::make_unique<TFAbout>(owner);
    forms_.FMain->SetAboutBox(forms_.FAbout.get());
    forms_.FRename = std::make_unique<TFRename>(owner);
    forms_.FFilter = std::make_unique<TFFilter>(owner);
    forms_.FFind = std::make_unique<TFFind>(owner);
    forms_.FProperties = std::make_unique<TFProperties>(owner);
    forms_.FBrowseDirectory = std::make_unique<TFBrowseDirectory>(owner, forms_.FMain->Objects1(),
                                                                  Program().UseNDS, Program().UseBindery);
    forms_.FFilter->SetUserPicker(forms_.FBrowseDirectory.get());
    forms_.FMain->SetFilterDialog(forms_.FFilter.get());
    forms_.FMain->SetPropertiesDialog(forms_.FProperties.get());
    forms_.FFind->SetPropertiesDialog(forms_.FProperties.get());
    forms_.FFind->SetUserPicker(forms_.FBrowseDirectory.get());
    forms_.FFind->SetEventPump([] { TApplication::Instance().ProcessMessages(); });
    forms_.FMain->SetFindWindow(forms_.FFind.get());
    TFMain* main = forms_.FMain.get();
    forms_.FFind->SetActions(std::make_unique<TDeletedFileActionWindows>(
                                 forms_.FFind->Handle(), kAppTitle, *forms_.FRename, *forms_.FActionMessage),
                             [main] { return main->RetroveOptions(); });
    forms_.FMain->SetActionWindows(forms_.FRename.get(), forms_.FActionMessage.get());
}

int TRetroveProgram::Run()
{
    TApplication& application = TApplication::Instance();
    if (forms_.FMain == nullptr)
        return application.ExitCode();
    return application.Run(*forms_.FMain);
}

int TRetroveProgram::Execute()
{
    try
    {
        Start();
    }
    catch (...)
    {
        HandleApplicationError(std::current_exception());
    }
    return Run();
}
