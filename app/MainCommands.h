// The command IDs of the main window's menu items and tool buttons, and the IDs of its controls.
#pragma once

enum TMainCommand : int
{
    // MainMenu1
    cmMRetrove = 100,
    cmMPurge,
    cmMFilter,
    cmMFind,
    cmMProperties,
    cmExit1,
    cmMSelectAll,
    cmMInvertSelection,
    cmMCopy,
    cmMExport,
    cmMExportSelected,
    cmMToolBar,
    cmMStatusBar,
    cmMLargeIcons,
    cmMSmallIcons,
    cmMList,
    cmMDetails,
    cmMRefresh,
    cmMUpper,
    cmMRename,
    cmMSkip,
    cmMContents,
    cmBAbout,
    // PopDel
    cmPMRetrove = 150,
    cmPMPurge,
    cmPMProperties,
    // Toolbar
    cmBUpLevel = 200,
    cmBProperties,
    cmBLargeIcons,
    cmBSmallIcons,
    cmBList,
    cmBDetails,
    cmBRetrove,
    cmBPurge,
    cmBStop,
    cmBFilter,
    cmBFind,
};

enum TMainControl : int
{
    idToolbar = 1,
    idShellCombo1,
    idSplitTitle,
    idSplitMain,
    idLLeftView,
    idLRightView,
    idTreeDel,
    idExplorerList,
    idStatusBar,
};
