#include "platform/uPlatformMemory.h"

#include <cstring>
#include <sys/mman.h>

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
