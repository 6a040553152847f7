#include "platform/uPlatformMemory.h"

#include <cstring>
#include <cstdint>
#include <sys/mman.h>
#include <unistd.h>

void* AllocateZeroedBlock(std::size_t ASize) {
    if (ASize == 0)
        return nullptr;
    void* block = mmap(nullptr, ASize, PROT_READ | PROT_WRITE,
                       MAP_PRIVATE | MAP_ANONYMOUS | MAP_NORESERVE, -1, 0);
    if (block == MAP_FAILED)
        return nullptr;
    return block;
}

void FreeZeroedBlock(void* ABlock, std::size_t ASize) {
    if (ABlock != nullptr)
        munmap(ABlock, ASize);
}

void ZeroBlock(void* ABlock, std::size_t ASize) {
    if (ABlock == nullptr)
        return;
    // Private anonymous pages read as zero after being given back.
    if (madvise(ABlock, ASize, MADV_DONTNEED) != 0)
        std::memset(ABlock, 0, ASize);
}

void PopulateBlock(void* APart, std::size_t ASize) {
#ifdef MADV_POPULATE_WRITE
    // madvise needs a page-aligned start: the part's first partial page is left to the faults.
    const auto pageSize = static_cast<std::uintptr_t>(sysconf(_SC_PAGESIZE));
    const auto start = reinterpret_cast<std::uintptr_t>(APart);
    const std::uintptr_t aligned = (start + pageSize - 1) / pageSize * pageSize;
    if (aligned - start < ASize)
        madvise(reinterpret_cast<void*>(aligned), ASize - (aligned - start), MADV_POPULATE_WRITE);
#else
    (void)APart;
    (void)ASize;
#endif
}
