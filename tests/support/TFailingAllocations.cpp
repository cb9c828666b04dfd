// The test program's own operator new and delete, over malloc and free, with one armed failure.
#include "TFailingAllocations.h"

#include <cstdlib>
#include <new>

namespace
{

std::size_t failingSize = 0;
int allocationsLeft = 0;

void* Allocate(std::size_t size)
{
    if (failingSize != 0 && size == failingSize && --allocationsLeft == 0)
    {
        failingSize = 0;
        throw std::bad_alloc();
    }
    if (void* memory = std::malloc(size == 0 ? 1 : size))
        return memory;
    throw std::bad_alloc();
}

} // namespace

void FailAllocationOfSize(std::size_t size, int nth)
{
    failingSize = nth > 0 ? size : 0;
    allocationsLeft = nth;
}

void* operator new(std::size_t size)
{
    return Allocate(size);
}

void* operator new[](std::size_t size)
{
    return Allocate(size);
}

void operator delete(void* memory) noexcept
{
    std::free(memory);
}

void operator delete[](void* memory) noexcept
{
    std::free(memory);
}

void operator delete(void* memory, std::size_t) noexcept
{
    std::free(memory);
}

void operator delete[](void* memory, std::size_t) noexcept
{
    std::free(memory);
}
