// What the Find window's files share: the IDs of its controls and its views.
#pragma once

#include "TExtListView.h"
#include "TFFind.h"

#include <array>

namespace find_window
{

enum TControlId : int
{
    idPageControl = 200,
    idEName,
    idSLookIn,
    idBBrowse,
    idCInclude,
    idCIncludeHidden,
    idEDeleted,
    idBSelectDeleted,
    idEOwner,
    idBSelectOwner,
    idDDeleted,
    idRNone,
    idRExactly,
    idRGreater,
    idRLess,
    idBFind,
    idBStop,
    idBNew,
    idFindAnimate,
    idFindList,
    idStatusBar,
};

// The View items in the order that decides the view, with their list styles.
struct TViewChoice
{
    int command;
    TViewStyle style;
};
inline constexpr std::array<TViewChoice, 4> kViewChoices{{
    {TFFind::cmMLargeIcons, TViewStyle::vsIcon},
    {TFFind::cmMSmallIcons, TViewStyle::vsSmallIcon},
    {TFFind::cmMList, TViewStyle::vsList},
    {TFFind::cmMDetails, TViewStyle::vsReport},
}};

} // namespace find_window
