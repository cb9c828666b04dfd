#include "ListColumnLayout.h"

#include "SettingsText.h"
#include "TRegistryIni.h"

#include <algorithm>

namespace
{

constexpr wchar_t kColumnsSection[] = L"Columns";

std::vector<int32_t> ReadList(const std::wstring& registryKey, const wchar_t* name)
{
    const TRegistryIni ini(registryKey);
    return settings::ParseCommaList(settings::ToText(ini.ReadString(kColumnsSection, name, L"")));
}

void WriteList(const std::wstring& registryKey, const wchar_t* name, const std::vector<int32_t>& values)
{
    TRegistryIni ini(registryKey);
    ini.WriteString(kColumnsSection, name, settings::FromText(settings::FormatCommaList(values)));
}

} // namespace

std::optional<std::vector<int>> ReadColumnOrder(const std::wstring& registryKey, size_t columns)
{
    const std::vector<int32_t> stored = ReadList(registryKey, L"Order");
    if (!settings::IsColumnOrder(stored, columns))
        return std::nullopt;
    return std::vector<int>(stored.begin(), stored.end());
}

std::vector<std::optional<int32_t>> ReadColumnSizes(const std::wstring& registryKey)
{
    const TRegistryIni ini(registryKey);
    return settings::ParseColumnWidths(settings::ToText(ini.ReadString(kColumnsSection, L"Sizes", L"")));
}

void WriteColumnOrder(const std::wstring& registryKey, const std::vector<int>& order)
{
    WriteList(registryKey, L"Order", {order.begin(), order.end()});
}

void WriteColumnSizes(const std::wstring& registryKey, const std::vector<int32_t>& widths)
{
    WriteList(registryKey, L"Sizes", widths);
}
