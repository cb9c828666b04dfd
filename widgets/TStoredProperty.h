// One stored property of a form: its value name and how its value reads and writes as text. The kinds below
// give the text forms (integers, identifiers, sets, characters, strings) and the program's controls.
#pragma once

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

class TExtListView;

struct TStoredProperty
{
    std::wstring name; // "SplitMain.Position"; stored as SplitMain_Position
    std::function<std::wstring()> read;
    // Returns false for a text that is not a value of the property, which then stays as it is.
    std::function<bool(const std::wstring&)> write;

    std::wstring ValueName() const;
};

namespace stored
{

TStoredProperty Integer(std::wstring name, std::function<int()> get, std::function<void(int)> set);
TStoredProperty Boolean(std::wstring name, std::function<bool()> get, std::function<void(bool)> set);
// An enumeration by the identifiers of its values, in order.
TStoredProperty Enumeration(std::wstring name, std::vector<std::wstring> identifiers,
                            std::function<int()> get, std::function<void(int)> set);
// A set as a bit mask over the identifiers of its members, in order.
TStoredProperty Set(std::wstring name, std::vector<std::wstring> identifiers, std::function<uint32_t()> get,
                    std::function<void(uint32_t)> set);
TStoredProperty Character(std::wstring name, std::function<wchar_t()> get, std::function<void(wchar_t)> set);
TStoredProperty String(std::wstring name, std::function<std::wstring()> get,
                       std::function<void(std::wstring)> set);

// The program's controls. Setting them changes their state only: no click handler runs.
TStoredProperty MenuChecked(std::wstring name, HMENU menu, UINT command);
TStoredProperty ToolButtonDown(std::wstring name, HWND toolbar, int command);
TStoredProperty WindowVisible(std::wstring name, HWND window);
TStoredProperty ListViewStyle(std::wstring name, TExtListView& list);

} // namespace stored
