#pragma once
// Buffers of megabytes (map pictures, PNG rows) taken straight from the system, in huge pages
// where it allows. Each page fault is dear on the virtual machines the editor often runs on; a
// picture of several megabytes then costs a few faults instead of a thousand. The memory comes
// zeroed from the system.

#include <cstddef>
#include <memory>

namespace zol {

struct LargeBufferRelease {
    std::size_t bytes = 0;
    void operator()(void* memory) const;
};

template <class T>
using LargeBuffer = std::unique_ptr<T[], LargeBufferRelease>;

// bytes of memory, or nullptr when the system has none to give.
void* Map_Large(std::size_t bytes);

// count elements, or an empty buffer when the system has no memory to give.
template <class T>
LargeBuffer<T> Allocate_Large(std::size_t count)
{
    const std::size_t bytes = (count > 0 ? count : 1) * sizeof(T);
    return LargeBuffer<T>(static_cast<T*>(Map_Large(bytes)), LargeBufferRelease{bytes});
}

} // namespace zol
