// The start-up check that the common-controls library can show every control of the program.
#pragma once

#include <cstdint>
#include <functional>

// The lowest version that shows every control: 4.70.
inline constexpr uint32_t kLeastCommonControlsVersion = 0x00040046;

// The version of the system's comctl32.dll: the major version in the high 16 bits, the minor in the low;
// 0 when it cannot be read.
uint32_t ReadCommonControlsVersion();

// Tells the operator when the version that the reader gives is too old, and when reading it fails; start-up
// goes on either way.
void CheckCommonControlsVersion(const std::function<uint32_t()>& readVersion);
