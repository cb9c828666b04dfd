// The pictures of the about box, drawn by the program itself.
#pragma once

#include "TDpi.h"
#include "TUniqueHandle.h"

// Sizes at 96 DPI; the pictures are drawn at the DPI they are made for.
constexpr int kBannerWidth = 257;
constexpr int kBannerHeight = 185;
constexpr int kIconPictureSide = 32;

// The banner: the program's name over a dark gradient, with a file coming back from a server.
TBitmap MakeBannerPicture(TDpi dpi);
// The program's sign: a sheet with a green arrow that brings it back.
TBitmap MakeIconPicture(TDpi dpi);
