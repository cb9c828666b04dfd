// The program's small pictures, drawn as 16 by 16 pixel maps: one letter a pixel, '.' for transparent. At a
// larger display scale each map pixel covers a block of the picture's pixels.
#include "ToolPictures.h"

#include <array>
#include <cstdint>
#include <initializer_list>
#include <optional>
#include <string_view>
#include <vector>

namespace
{

constexpr int kSide = 16;
using TPixelMap = std::array<std::string_view, kSide>;

constexpr bool Square(const TPixelMap& map)
{
    for (const std::string_view row : map)
        if (row.size() != kSide)
            return false;
    return true;
}

// clang-format off
constexpr TPixelMap kUpLevel{
    "................", "................", "..kkkkk.........", ".kyyyyyk........",
    "kyyyyyyykkkkkkk.", "kyyyyyykyyyyyyok", "kyyyyykkkyyyyyok", "kyyyykkkkkyyyyok",
    "kyyyyyykyyyyyyok", "kyyyyyykyyyyyyok", "kyyyyyykkkkkyyok", "kyyyyyyyyyyyyyok",
    "kyyyyyyyyyyyyyok", "kooooooooooooook", ".kkkkkkkkkkkkkkk", "................"};
constexpr TPixelMap kProperties{
    "................", ".kkkkkkkkkkkkkk.", ".knnnnnnnnnnnnk.", ".knnnnnnnnnnnnk.",
    ".kwwwwwwwwwwwwk.", ".kwkkwwkkkkkkwk.", ".kwwwwwwwwwwwwk.", ".kwkkwwkkkkkwwk.",
    ".kwwwwwwwwwwwwk.", ".kwkkwwkkkkkkwk.", ".kwwwwwwwwwwwwk.", ".kwkkwwkkkwwwwk.",
    ".kwwwwwwwwwwwwk.", ".kkkkkkkkkkkkkk.", "................", "................"};
constexpr TPixelMap kLargeIcons{
    "................", ".kkkkkk..kkkkkk.", ".kbbbbk..kbbbbk.", ".kbbbbk..kbbbbk.",
    ".kbbbbk..kbbbbk.", ".kbbbbk..kbbbbk.", ".kkkkkk..kkkkkk.", "................",
    "................", ".kkkkkk..kkkkkk.", ".kbbbbk..kbbbbk.", ".kbbbbk..kbbbbk.",
    ".kbbbbk..kbbbbk.", ".kbbbbk..kbbbbk.", ".kkkkkk..kkkkkk.", "................"};
constexpr TPixelMap kSmallIcons{
    "................", ".bbb.....bbb....", ".bbb.kkk.bbb.kkk", ".bbb.....bbb....",
    "................", ".bbb.....bbb....", ".bbb.kkk.bbb.kkk", ".bbb.....bbb....",
    "................", ".bbb.....bbb....", ".bbb.kkk.bbb.kkk", ".bbb.....bbb....",
    "................", ".bbb.....bbb....", ".bbb.kkk.bbb.kkk", ".bbb.....bbb...."};
constexpr TPixelMap kList{
    "................", ".bbb............", ".bbb.kkkkkkkkk..", ".bbb............",
    "................", ".bbb............", ".bbb.kkkkkkkkk..", ".bbb............",
    "................", ".bbb............", ".bbb.kkkkkkkkk..", ".bbb............",
    "................", ".bbb............", ".bbb.kkkkkkkkk..", ".bbb............"};
constexpr TPixelMap kDetails{
    "................", ".dddddddddddddd.", "................", ".bb.............",
    ".bb.kkkkk.kk.kk.", "................", ".bb.............", ".bb.kkkkk.kk.kk.",
    "................", ".bb.............", ".bb.kkkkk.kk.kk.", "................",
    ".bb.............", ".bb.kkkkk.kk.kk.", "................", "................"};
constexpr TPixelMap kRetrove{
    "......kkkkkk....", "......kwwwwkk...", "......kwwwwkwk..", "......kwwwwkkkk.",
    "..G...kwwwwwwwk.", ".GgG..kwwwwwwwk.", "GgggG.kwwwwwwwk.", "GGgGG.kwwwwwwwk.",
    "..gG..kwwwwwwwk.", "..gG..kwwwwwwwk.", "..gG..kwwwwwwwk.", "..gG..kwwwwwwwk.",
    "..gG..kwwwwwwwk.", "......kkkkkkkkk.", "................", "................"};
constexpr TPixelMap kPurge{
    "................", ".RR..........RR.", ".RrR........RrR.", "..RrR......RrR..",
    "...RrR....RrR...", "....RrR..RrR....", ".....RrRRrR.....", "......RrrR......",
    "......RrrR......", ".....RrRRrR.....", "....RrR..RrR....", "...RrR....RrR...",
    "..RrR......RrR..", ".RrR........RrR.", ".RR..........RR.", "................"};
constexpr TPixelMap kStop{
    "................", ".....RRRRRR.....", "....RrrrrrrR....", "...RrrrrrrrrR...",
    "..RrrrrrrrrrrR..", ".RrrrrrrrrrrrrR.", ".RrrrrrrrrrrrrR.", ".RrwwwwwwwwwwrR.",
    ".RrwwwwwwwwwwrR.", ".RrrrrrrrrrrrrR.", ".RrrrrrrrrrrrrR.", "..RrrrrrrrrrrR..",
    "...RrrrrrrrrR...", "....RrrrrrrR....", ".....RRRRRR.....", "................"};
constexpr TPixelMap kFilter{
    "................", ".kkkkkkkkkkkkkk.", ".kwwwwwwwwwwwwk.", "..kwwwwwwwwwwk..",
    "...kcccccccck...", "....kcccccck....", ".....kcccck.....", "......kcck......",
    "......kcck......", "......kcck......", "......kcck......", "......kcck......",
    "......kkkk......", "................", "................", "................"};
constexpr TPixelMap kFind{
    "................", "....kkkkk.......", "...kwwcccdk.....", "..kwwccccccdk...",
    "..kwcccccccdk...", "..kccccccccdk...", "..kccccccccdk...", "...kccccccdk....",
    "....kkkkkkkk....", "..........kkk...", "...........kkk..", "............kkk.",
    ".............kkk", "..............kk", "................", "................"};
constexpr TPixelMap kUser{
    "................", "......kkkk......", ".....kppppk.....", "....kppppppk....",
    "....kppppppk....", "....kppppppk....", ".....kppppk.....", "......kkkk......",
    "....kkbbbbkk....", "...kbbbbbbbbk...", "..kbbbbbbbbbbk..", "..kbbbbbbbbbbk..",
    "..kbbbbbbbbbbk..", "..kkkkkkkkkkkk..", "................", "................"};
constexpr TPixelMap kGroup{
    "................", "................", "..kkk.....kkk...", ".kpppk...kpppk..",
    ".kpppk...kpppk..", ".kpppk...kpppk..", "..kkk.....kkk...", ".kgggk...kbbbk..",
    "kgggggk.kbbbbbk.", "kgggggk.kbbbbbk.", "kgggggk.kbbbbbk.", "kkkkkkk.kkkkkkk.",
    "................", "................", "................", "................"};
constexpr TPixelMap kBinderyServer{
    "................", "....kkkkkkkk....", "....kllllllk....", "....kkkkkkkk....",
    "....kllllllk....", "....kkkkkkkk....", "....kllllllk....", "....kllllllk....",
    "....klllgllk....", "....kllllllk....", "....kllllllk....", "....kllllllk....",
    "....kllllllk....", "....kkkkkkkk....", "...kkkkkkkkkk...", "................"};
constexpr TPixelMap kContainer{
    "................", "................", "......kkkk......", "......kyyk......",
    "......kkkk......", "........k.......", "...kkkkkkkkk....", "...k...k...k....",
    "...k...k...k....", "..kkk.kkk.kkk...", "..kbk.kbk.kbk...", "..kkk.kkk.kkk...",
    "................", "................", "................", "................"};
// clang-format on

static_assert(Square(kUpLevel) && Square(kProperties) && Square(kLargeIcons) && Square(kSmallIcons) &&
              Square(kList) && Square(kDetails) && Square(kRetrove) && Square(kPurge) && Square(kStop) &&
              Square(kFilter) && Square(kFind) && Square(kUser) && Square(kGroup) && Square(kBinderyServer) &&
              Square(kContainer));

// The colours of the pixel letters, as 0xRRGGBB.
struct TPaint
{
    char letter;
    uint32_t rgb;
};
constexpr TPaint kPalette[] = {
    {'k', 0x000000}, {'d', 0x808080}, {'l', 0xC0C0C0}, {'w', 0xFFFFFF}, {'y', 0xFFE060},
    {'o', 0xB08820}, {'b', 0x3060E0}, {'n', 0x000080}, {'c', 0x50B0E0}, {'g', 0x20B040},
    {'G', 0x006400}, {'r', 0xE02020}, {'R', 0x800000}, {'p', 0xF0C096},
};

// Nothing for transparent.
std::optional<uint32_t> ColourOf(char letter)
{
    for (const TPaint& paint : kPalette)
        if (paint.letter == letter)
            return paint.rgb;
    return std::nullopt;
}

// A disabled picture keeps its shape in greys, lighter than the enabled one.
uint32_t Greyed(uint32_t colour)
{
    const uint32_t red = (colour >> 16) & 0xFF;
    const uint32_t green = (colour >> 8) & 0xFF;
    const uint32_t blue = colour & 0xFF;
    const uint32_t luminance = (red * 30 + green * 59 + blue * 11) / 100;
    const uint32_t grey = 112 + luminance * 100 / 255;
    return (grey << 16) | (grey << 8) | grey;
}

void AddPicture(HIMAGELIST list, const TPixelMap& map, bool greyed, int side)
{
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(info.bmiHeader);
    info.bmiHeader.biWidth = side;
    info.bmiHeader.biHeight = -side; // top-down
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    const TBitmap colour(CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    if (!colour)
        return;
    auto* pixels = static_cast<uint32_t*>(bits);
    // A monochrome mask, rows padded to 16 bits: a set bit is transparent.
    const int maskRow = (side + 15) / 16 * 2;
    std::vector<uint8_t> maskBits(static_cast<size_t>(maskRow * side), 0);
    for (int y = 0; y < side; ++y)
        for (int x = 0; x < side; ++x)
        {
            const std::optional<uint32_t> rgb = ColourOf(map[y * kSide / side][x * kSide / side]);
            if (!rgb)
            {
                pixels[y * side + x] = 0;
                maskBits[y * maskRow + x / 8] |= static_cast<uint8_t>(0x80 >> (x % 8));
                continue;
            }
            pixels[y * side + x] = 0xFF000000 | (greyed ? Greyed(*rgb) : *rgb);
        }
    const TBitmap mask(CreateBitmap(side, side, 1, 1, maskBits.data()));
    ImageList_Add(list, colour.Get(), mask.Get());
}

TImageList MakeImages(std::initializer_list<const TPixelMap*> maps, bool greyed, int side)
{
    TImageList list(ImageList_Create(side, side, ILC_COLOR32 | ILC_MASK, static_cast<int>(maps.size()), 0));
    for (const TPixelMap* map : maps)
        AddPicture(list.Get(), *map, greyed, side);
    return list;
}

} // namespace

TImageList MakeToolImages(bool disabled, int side)
{
    // In the order of TToolPicture.
    return MakeImages({&kUpLevel, &kProperties, &kLargeIcons, &kSmallIcons, &kList, &kDetails, &kRetrove,
                       &kPurge, &kStop, &kFilter, &kFind},
                      disabled, side);
}

TImageList MakeObjectImages(int side)
{
    // In the order of TObjectPicture.
    return MakeImages({&kUser, &kGroup, &kBinderyServer, &kContainer}, false, side);
}
