// Saving and restoring forms.
#include "TFormStorage.h"

#include "SettingsText.h"
#include "TApplicationErrors.h"
#include "TRegistryIni.h"

#include <algorithm>
#include <optional>

namespace
{

using settings::FromText;
using settings::ToText;

std::wstring ScreenSuffix()
{
    return FromText(settings::ScreenSuffix(GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)));
}

// Moves a rectangle that lies on no monitor onto the nearest one, keeping its size where it fits.
// The stored rectangle moved wholly onto the work area of the monitor nearest to it, so that its caption and
// close box can be reached; nothing when it is larger than that work area.
std::optional<RECT> OntoAMonitor(RECT rectangle)
{
    MONITORINFO monitor{};
    monitor.cbSize = sizeof(monitor);
    if (!GetMonitorInfoW(MonitorFromRect(&rectangle, MONITOR_DEFAULTTONEAREST), &monitor))
        return std::nullopt;
    const RECT& area = monitor.rcWork;
    const LONG width = rectangle.right - rectangle.left;
    const LONG height = rectangle.bottom - rectangle.top;
    if (width > area.right - area.left || height > area.bottom - area.top)
        return std::nullopt;
    const LONG left = std::clamp(rectangle.left, area.left, area.right - width);
    const LONG top = std::clamp(rectangle.top, area.top, area.bottom - height);
    return RECT{left, top, left + width, top + height};
}

} // namespace

// Where the values of one form go: its section of the registry key.
class TFormStorage::TStore
{
public:
    TStore(const TFormStorage& storage)
        : section_(storage.IniSection), registry_(storage.UseRegistry),
          ini_(storage.UseRegistry ? storage.IniFileName : std::wstring())
    {
    }

    std::optional<std::wstring> Read(const std::wstring& name) const
    {
        return registry_ ? ini_.Read(section_, name) : std::nullopt;
    }

    void Write(const std::wstring& name, const std::wstring& value)
    {
        if (registry_)
            ini_.WriteString(section_, name, value);
    }

private:
    std::wstring section_;
    bool registry_;
    TRegistryIni ini_;
};

namespace
{

// A failure while restoring or saving is reported like any other, and the form goes on.
template <typename TStep> void Guarded(TStep step)
{
    try
    {
        step();
    }
    catch (...)
    {
        HandleApplicationError(std::current_exception());
    }
}

} // namespace

void TFormStorage::SetOption(TFormPlacementOption option, bool on)
{
    const uint32_t bit = 1u << static_cast<uint32_t>(option);
    options_ = on ? options_ | bit : options_ & ~bit;
}

bool TFormStorage::HasOption(TFormPlacementOption option) const
{
    return (options_ & (1u << static_cast<uint32_t>(option))) != 0;
}

void TFormStorage::FormShow()
{
    if (!Active)
        return;
    Guarded([this] { Restore(); });
}

void TFormStorage::FormCloseQuery(bool closeAllowed)
{
    if (!Active || !closeAllowed)
        return;
    Guarded([this] { Save(false); });
}

void TFormStorage::FormDestroy()
{
    if (!Active || savedSinceRestore_)
        return;
    Guarded([this] { Save(true); });
}

void TFormStorage::Restore()
{
    const TStore store(*this);
    if (HasOption(TFormPlacementOption::fpPosition))
        RestorePosition(store);
    if (HasOption(TFormPlacementOption::fpState))
        RestoreState(store);
    RestoreProperties(store);
    restored_ = true;
    savedSinceRestore_ = false;
}

void TFormStorage::RestorePosition(const TStore& store)
{
    const std::wstring suffix = ScreenSuffix();
    const auto readSized = [&](const std::wstring& name) {
        std::optional<std::wstring> value = store.Read(name + suffix);
        return value ? value : store.Read(name);
    };
    const std::optional<std::wstring> minMax = readSized(L"MinMaxPos");
    const std::optional<std::wstring> normal = readSized(L"NormPos");
    if (!minMax && !normal)
        return;

    WINDOWPLACEMENT placement{};
    placement.length = sizeof(placement);
    GetWindowPlacement(form_, &placement);
    const RECT current = placement.rcNormalPosition;
    int32_t points[4] = {0, 0, 0, 0};
    if (minMax)
        settings::ParseFour(ToText(*minMax), points);
    int32_t bounds[4] = {current.left, current.top, current.right, current.bottom};
    // A placement that is not four numbers is no placement: the form keeps its design one.
    if (normal && !settings::ParseFour(ToText(*normal), bounds))
        return;
    if (const std::optional<std::wstring> flags = store.Read(L"Flags"))
        placement.flags = static_cast<UINT>(settings::ParseInteger(ToText(*flags)).value_or(0));
    placement.ptMinPosition = {points[0], points[1]};
    placement.ptMaxPosition = {points[2], points[3]};
    RECT rectangle{bounds[0], bounds[1], bounds[2], bounds[3]};
    // A form without a sizing border keeps its own size: only its top-left corner is taken.
    if ((GetWindowLongW(form_, GWL_STYLE) & WS_THICKFRAME) == 0)
        rectangle = {rectangle.left, rectangle.top, rectangle.left + (current.right - current.left),
                     rectangle.top + (current.bottom - current.top)};
    const std::optional<RECT> onScreen = OntoAMonitor(rectangle);
    if (rectangle.left >= rectangle.right || rectangle.top >= rectangle.bottom || !onScreen)
        return;
    placement.rcNormalPosition = *onScreen;
    placement.showCmd = IsWindowVisible(form_) ? placement.showCmd : SW_HIDE;
    SetWindowPlacement(form_, &placement);
}

void TFormStorage::RestoreState(const TStore& store)
{
    const std::optional<std::wstring> text = store.Read(L"ShowCmd");
    if (!text)
        return;
    int show = -1;
    switch (settings::ParseInteger(ToText(*text)).value_or(-1))
    {
    case 1:
    case 5:
    case 9:
        show = SW_SHOWNORMAL;
        break;
    case 2:
    case 6:
    case 7:
        show = SW_SHOWMINIMIZED;
        break;
    case 3:
        show = SW_SHOWMAXIMIZED;
        break;
    default:
        return;
    }
    WINDOWPLACEMENT placement{};
    placement.length = sizeof(placement);
    GetWindowPlacement(form_, &placement);
    placement.showCmd = static_cast<UINT>(show);
    SetWindowPlacement(form_, &placement);
}

void TFormStorage::RestoreProperties(const TStore& store)
{
    for (const TStoredProperty& property : StoredProps)
    {
        try
        {
            const std::optional<std::wstring> text = store.Read(property.ValueName());
            if (text)
                property.write(*text);
        }
        catch (const std::exception&)
        {
            // A value that cannot be read or converted leaves the property as it is, as a first run would.
        }
    }
}

void TFormStorage::Save(bool destroying)
{
    // A form never restored (never shown) writes nothing.
    if (!restored_)
        return;
    TStore store(*this);
    WINDOWPLACEMENT placement{};
    placement.length = sizeof(placement);
    GetWindowPlacement(form_, &placement);
    if (MainForm && IsIconic(form_))
        placement.showCmd = SW_SHOWMINIMIZED;
    const std::wstring suffix = ScreenSuffix();
    const int32_t points[4] = {placement.ptMinPosition.x, placement.ptMinPosition.y,
                               placement.ptMaxPosition.x, placement.ptMaxPosition.y};
    const RECT& normal = placement.rcNormalPosition;
    const int32_t bounds[4] = {normal.left, normal.top, normal.right, normal.bottom};
    store.Write(L"Flags", std::to_wstring(placement.flags));
    store.Write(L"ShowCmd", std::to_wstring(placement.showCmd));
    store.Write(L"MinMaxPos" + suffix, FromText(settings::FormatFour(points)));
    store.Write(L"MinMaxPos", FromText(settings::FormatFour(points)));
    store.Write(L"NormPos" + suffix, FromText(settings::FormatFour(bounds)));
    store.Write(L"NormPos", FromText(settings::FormatFour(bounds)));
    if (HasOption(TFormPlacementOption::fpActiveControl) && ActiveControlName)
        store.Write(L"ActiveControl", ActiveControlName());
    store.Write(L"Visible", destroying ? L"1" : L"0");
    for (const TStoredProperty& property : StoredProps)
        store.Write(property.ValueName(), property.read());
    savedSinceRestore_ = true;
}
