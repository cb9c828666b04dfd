// The pictures of the main window's tool bar and of the directory objects of the user picker.
#pragma once

#include "TUniqueHandle.h"

// Indexes into the tool-bar image lists.
enum TToolPicture
{
    tpUpLevel,
    tpProperties,
    tpLargeIcons,
    tpSmallIcons,
    tpList,
    tpDetails,
    tpRetrove,
    tpPurge,
    tpStop,
    tpFilter,
    tpFind,
    tpCount,
};

// Indexes into the directory-object image list.
enum TObjectPicture
{
    opUser = 0,
    opGroup = 1,
    opBinderyServer = 2,
    opContainer = 3,
    opCount,
};

// The tool-bar pictures, in colour or greyed for disabled buttons, and the directory objects' pictures,
// square with that side in pixels (16 at 96 DPI).
TImageList MakeToolImages(bool disabled, int side);
TImageList MakeObjectImages(int side);
