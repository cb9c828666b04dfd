// Who the program is: its title, and the maker's addresses that its messages give.
#pragma once

// The application title: the caption of every plain message box of the program.
inline constexpr wchar_t kAppTitle[] = L"Retrove 98";
inline constexpr wchar_t kSupportAddress[] = L"support@tarvex.com";
inline constexpr wchar_t kDownloadHost[] = L"download.tarvex.com";
// Where the update of the common-controls library is.
inline constexpr wchar_t kCommonControlsUpdatePath[] = L"/downloads/40comupd.exe";
