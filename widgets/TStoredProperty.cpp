// Stored property kinds.
#include "TStoredProperty.h"

#include "SettingsText.h"
#include "TExtListView.h"

#include <commctrl.h>

namespace
{

using settings::FromText;
using settings::ToText;

std::vector<std::u16string> ToTexts(const std::vector<std::wstring>& texts)
{
    std::vector<std::u16string> result;
    for (const std::wstring& text : texts)
        result.push_back(ToText(text));
    return result;
}

} // namespace

std::wstring TStoredProperty::ValueName() const
{
    std::wstring valueName = name;
    for (wchar_t& c : valueName)
        if (c == L'.')
            c = L'_';
    return valueName;
}

namespace stored
{

TStoredProperty Integer(std::wstring name, std::function<int()> get, std::function<void(int)> set)
{
    return {std::move(name), [get] { return std::to_wstring(get()); },
            [set](const std::wstring& text) {
                const std::optional<int32_t> value = settings::ParseInteger(ToText(text));
                if (value)
                    set(*value);
                return value.has_value();
            }};
}

TStoredProperty Boolean(std::wstring name, std::function<bool()> get, std::function<void(bool)> set)
{
    return {std::move(name), [get] { return FromText(settings::FormatBoolean(get())); },
            [set](const std::wstring& text) {
                const std::optional<bool> value = settings::ParseBoolean(ToText(text));
                if (value)
                    set(*value);
                return value.has_value();
            }};
}

TStoredProperty Enumeration(std::wstring name, std::vector<std::wstring> identifiers,
                            std::function<int()> get, std::function<void(int)> set)
{
    return {std::move(name),
            [identifiers, get] {
                const int index = get();
                return index >= 0 && static_cast<size_t>(index) < identifiers.size()
                           ? identifiers[static_cast<size_t>(index)]
                           : std::wstring();
            },
            [identifiers, set](const std::wstring& text) {
                const std::optional<size_t> index =
                    settings::ParseIdentifier(ToText(text), ToTexts(identifiers));
                if (index)
                    set(static_cast<int>(*index));
                return index.has_value();
            }};
}

TStoredProperty Set(std::wstring name, std::vector<std::wstring> identifiers, std::function<uint32_t()> get,
                    std::function<void(uint32_t)> set)
{
    return {std::move(name),
            [identifiers, get] {
                std::vector<std::u16string> members;
                const uint32_t bits = get();
                for (size_t i = 0; i < identifiers.size(); ++i)
                    if ((bits & (1u << i)) != 0)
                        members.push_back(ToText(identifiers[i]));
                return FromText(settings::FormatSet(members));
            },
            [identifiers, set](const std::wstring& text) {
                const std::optional<std::vector<std::u16string>> members = settings::ParseSet(ToText(text));
                if (!members)
                    return false;
                uint32_t bits = 0;
                for (const std::u16string& member : *members)
                {
                    const std::optional<size_t> index =
                        settings::ParseIdentifier(member, ToTexts(identifiers));
                    if (!index)
                        return false;
                    bits |= 1u << *index;
                }
                set(bits);
                return true;
            }};
}

TStoredProperty Character(std::wstring name, std::function<wchar_t()> get, std::function<void(wchar_t)> set)
{
    return {std::move(name), [get] { return std::wstring(1, get()); },
            [set](const std::wstring& text) {
                const std::u16string trimmed = settings::Trim(ToText(text));
                if (trimmed.size() != 1)
                    return false;
                set(static_cast<wchar_t>(trimmed.front()));
                return true;
            }};
}

TStoredProperty String(std::wstring name, std::function<std::wstring()> get,
                       std::function<void(std::wstring)> set)
{
    return {std::move(name), [get] { return FromText(settings::Trim(ToText(get()))); },
            [set](const std::wstring& text) {
                set(FromText(settings::Trim(ToText(text))));
                return true;
            }};
}

TStoredProperty MenuChecked(std::wstring name, HMENU menu, UINT command)
{
    return Boolean(
        std::move(name),
        [menu, command] { return (GetMenuState(menu, command, MF_BYCOMMAND) & MF_CHECKED) != 0; },
        [menu, command](bool checked) {
            CheckMenuItem(menu, command, MF_BYCOMMAND | (checked ? MF_CHECKED : MF_UNCHECKED));
        });
}

TStoredProperty ToolButtonDown(std::wstring name, HWND toolbar, int command)
{
    return Boolean(
        std::move(name),
        [toolbar, command] {
            return SendMessageW(toolbar, TB_ISBUTTONCHECKED, static_cast<WPARAM>(command), 0) != 0;
        },
        [toolbar, command](bool down) {
            SendMessageW(toolbar, TB_CHECKBUTTON, static_cast<WPARAM>(command),
                         MAKELPARAM(down ? TRUE : FALSE, 0));
        });
}

TStoredProperty WindowVisible(std::wstring name, HWND window)
{
    return Boolean(
        std::move(name), [window] { return (GetWindowLongW(window, GWL_STYLE) & WS_VISIBLE) != 0; },
        [window](bool visible) { ShowWindow(window, visible ? SW_SHOWNA : SW_HIDE); });
}

TStoredProperty ListViewStyle(std::wstring name, TExtListView& list)
{
    return Enumeration(
        std::move(name), {L"vsIcon", L"vsSmallIcon", L"vsList", L"vsReport"},
        [&list] { return static_cast<int>(list.ViewStyle()); },
        [&list](int style) { list.SetViewStyle(static_cast<TViewStyle>(style)); });
}

} // namespace stored
