// Plain access to the shell namespace: folders, names, attributes, icons, paths and comparisons.
#pragma once

#include "TItemIdList.h"

#include <windows.h>

#include <commctrl.h>
#include <shellapi.h>
#include <shlobj.h>
#include <string>
#include <wrl/client.h>

using Microsoft::WRL::ComPtr;

ComPtr<IShellFolder> DesktopFolder();
// The folder of an absolute list; the Desktop for an empty one. Throws when the shell cannot bind it.
ComPtr<IShellFolder> BindFolder(LPCITEMIDLIST absolute);

std::wstring DisplayName(IShellFolder* parent, LPCITEMIDLIST child, SHGDNF flags = SHGDN_INFOLDER);
// The display name of an absolute list (the Desktop's for an empty one).
std::wstring DisplayNameOf(LPCITEMIDLIST absolute);
ULONG AttributesOf(IShellFolder* parent, LPCITEMIDLIST child, ULONG mask);

// The file-system path of a list, or empty when the shell has none (or it does not fit in MAX_PATH).
std::wstring PathOf(LPCITEMIDLIST absolute);

// The folder's own order of two of its items: negative, zero or positive.
int CompareItems(IShellFolder* folder, LPCITEMIDLIST first, LPCITEMIDLIST second);
// Whether two absolute lists name the same item.
bool SameItem(LPCITEMIDLIST first, LPCITEMIDLIST second);

// The shared system image list of small icons; never destroyed.
HIMAGELIST SystemSmallImages();
int SmallIconIndex(LPCITEMIDLIST absolute, bool open);
