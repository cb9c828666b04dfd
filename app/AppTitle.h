// The application title, which captions the main window and every message box.
#pragma once

inline constexpr wchar_t kAppTitle[] = L"Retrove 98";
