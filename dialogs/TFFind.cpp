// The window that searches a folder and its subfolders for deleted files.
#include "TFFind.h"

TFFind::TFFind(HWND owner)
{
    CreateForm({L"TFFind",
                kCaption,
                {CW_USEDEFAULT, CW_USEDEFAULT, 560, 268},
                WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN,
                0},
               owner);
}
