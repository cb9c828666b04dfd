// Where a list keeps its column layout: the "Columns" subkey of its registry key, with the display order of
// the design columns and their widths in that order.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

// The stored order when it names each of the columns once; otherwise nothing, as the control would refuse it.
std::optional<std::vector<int>> ReadColumnOrder(const std::wstring& registryKey, size_t columns);
// The stored widths in display order, each clamped to what a column may be; nothing for an entry that is no
// width.
std::vector<std::optional<int32_t>> ReadColumnSizes(const std::wstring& registryKey);
void WriteColumnOrder(const std::wstring& registryKey, const std::vector<int>& order);
void WriteColumnSizes(const std::wstring& registryKey, const std::vector<int32_t>& widths);
