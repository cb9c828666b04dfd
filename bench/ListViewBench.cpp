// Fills a visible list with 100,000 rows of twelve columns and sorts it by two columns, printing the times.
#include "BenchClock.h"
#include "TExtListView.h"

#include <commctrl.h>
#include <cstdio>
#include <ole2.h>
#include <string>

namespace
{

constexpr int kRows = 100000;

void Pump()
{
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE))
        DispatchMessageW(&message);
}

} // namespace

int main()
{
    OleInitialize(nullptr);
    INITCOMMONCONTROLSEX controls{sizeof(controls), ICC_LISTVIEW_CLASSES};
    InitCommonControlsEx(&controls);
    WNDCLASSW windowClass{};
    windowClass.lpfnWndProc = DefWindowProcW;
    windowClass.hInstance = GetModuleHandleW(nullptr);
    windowClass.lpszClassName = L"ListViewBench";
    RegisterClassW(&windowClass);
    HWND frame = CreateWindowExW(0, windowClass.lpszClassName, L"List view benchmark", WS_OVERLAPPEDWINDOW, 0,
                                 0, 1000, 700, nullptr, nullptr, windowClass.hInstance, nullptr);
    ShowWindow(frame, SW_SHOW);

    std::vector<TListColumn> columns;
    for (int i = 0; i < 12; ++i)
        columns.push_back({L"Column " + std::to_wstring(i), 80, LVCFMT_LEFT});
    TExtListView list(frame, 1, RECT{0, 0, 980, 660}, columns);
    list.LoadSettings();
    Pump();

    const LARGE_INTEGER fillStart = Now();
    list.BeginFill();
    list.BeginUpdate();
    for (int i = 0; i < kRows; ++i)
    {
        TListRow row;
        row.caption = L"FILE" + std::to_wstring((i * 7919) % kRows) + L".TXT";
        for (int column = 1; column < 12; ++column)
            row.subItems.push_back(column == 1 ? std::to_wstring((i * 31) % 100003)
                                               : L"text " + std::to_wstring(i % 977));
        list.AddRow(std::move(row));
    }
    list.EndUpdate();
    list.EndFill();
    Pump();
    const LARGE_INTEGER fillEnd = Now();

    list.SortBy(1);
    Pump();
    const LARGE_INTEGER sortEnd = Now();

    std::printf("rows: %d\n", kRows);
    std::printf("fill and first sort (by name): %.3f s\n", Seconds(fillStart, fillEnd));
    std::printf("sort by a numeric column: %.3f s\n", Seconds(fillEnd, sortEnd));
    DestroyWindow(frame);
    OleUninitialize();
    return 0;
}
