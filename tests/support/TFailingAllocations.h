// Makes one chosen allocation of the test program throw std::bad_alloc, to reach the code that must survive
// it.
#pragma once

#include <cstddef>

// The nth allocation of exactly this many bytes from now on throws; 0 disarms.
void FailAllocationOfSize(std::size_t size, int nth);
