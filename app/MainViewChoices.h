// The main window's views: the view buttons in the order that decides the view, with their menu items and
// list styles.
#pragma once

#include "MainCommands.h"
#include "TExtListView.h"

#include <array>

struct TViewChoice
{
    int button;
    int menuItem;
    TViewStyle style;
};

inline constexpr std::array<TViewChoice, 4> kViewChoices{{
    {cmBLargeIcons, cmMLargeIcons, TViewStyle::vsIcon},
    {cmBSmallIcons, cmMSmallIcons, TViewStyle::vsSmallIcon},
    {cmBList, cmMList, TViewStyle::vsList},
    {cmBDetails, cmMDetails, TViewStyle::vsReport},
}};
