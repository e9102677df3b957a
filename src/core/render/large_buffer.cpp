#include "core/render/large_buffer.h"

#include <cstdlib>

#ifdef __linux__
#include <sys/mman.h>
#endif

namespace zol {

void* Map_Large(std::size_t bytes)
{
#ifdef __linux__
    void* memory = mmap(nullptr, bytes, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
    if (memory == MAP_FAILED) return nullptr;
    madvise(memory, bytes, MADV_HUGEPAGE);
    return memory;
#else
    return std::calloc(bytes, 1);
#endif
}

void LargeBufferRelease::operator()(void* memory) const
{
#ifdef __linux__
    if (memory) munmap(memory, bytes);
#else
    std::free(memory);
#endif
}

} // namespace zol
