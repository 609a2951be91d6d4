#pragma once

#include <cstddef>
#include <malloc.h>

// Present when a sanitizer's allocator, which glibc's counts do not see, is linked in.
extern "C" std::size_t __sanitizer_get_current_allocated_bytes() __attribute__((weak));

// The bytes that the program holds on the heap now, as the allocator in use counts them.
inline std::size_t heapInUse()
{
    if (__sanitizer_get_current_allocated_bytes != nullptr)
        return __sanitizer_get_current_allocated_bytes();

    const auto info = mallinfo2();
    return info.uordblks + info.hblkhd;
}
