#include "support/uSystemMemory.h"

#include "platform/uPlatformSystem.h"

#include <algorithm>

namespace {
constexpr std::uint64_t MiB = 1024ULL * 1024ULL;
constexpr std::uint64_t GiB = 1024ULL * MiB;
} // namespace

void TCustomSystemMemory::Update() {
    if (FFixed)
        return;
    const TMemoryFigures figures = ReadMemoryFigures();
    FPhysical = {figures.PhysicalUsed, figures.PhysicalTotal};
    FVirtual = {figures.CommitUsed, figures.CommitTotal};
    FAvailable = figures.Available;
    FLargestBlock = LargestAllocatableBlock();
    Derive();
}

void TCustomSystemMemory::Derive() {
    FPageFile.Total = FVirtual.Total > FPhysical.Total ? FVirtual.Total - FPhysical.Total : 0;
    const std::uint64_t pageFree =
        FVirtual.Free() > FPhysical.Free() ? FVirtual.Free() - FPhysical.Free() : 0;
    FPageFile.Used = FPageFile.Total > pageFree ? FPageFile.Total - pageFree : 0;
}

void TCustomSystemMemory::SetFigures(TMemoryRatio APhysical, TMemoryRatio AVirtual,
                                     std::uint64_t AAvailable, std::uint64_t ALargestBlock) {
    FFixed = true;
    FPhysical = APhysical;
    FVirtual = AVirtual;
    FAvailable = AAvailable;
    FLargestBlock = ALargestBlock;
    Derive();
}

std::uint64_t TCustomSystemMemory::ProcessAllocatedVirtualMemory() const {
    return ProcessPrivateBytes();
}

std::uint64_t TCustomSystemMemory::ReservedMemory(std::uint64_t APhysicalTotal,
                                                  std::uint64_t APhysicalUsed) {
    const std::uint64_t t = APhysicalTotal;
    std::uint64_t       reserved;
    if (t < 96 * MiB)
        reserved = 4 * t / 5;
    else if (t < 384 * MiB)
        reserved = 3 * t / 4;
    else if (t < 3 * GiB / 2)
        reserved = 3 * t / 5;
    else if (t < 6 * GiB)
        reserved = t / 2;
    else
        reserved = 3 * GiB;
    return std::min(reserved, APhysicalUsed);
}

std::uint64_t TCustomSystemMemory::MaxPhysicalMemorySize64() {
    Update();
    const std::uint64_t total = std::min(FPhysical.Total, FVirtual.Total);
    const std::uint64_t reserved = ReservedMemory(FPhysical.Total, FPhysical.Used);
    const std::uint64_t size = total > reserved ? total - reserved : 0;
    return std::min(size, FLargestBlock);
}

std::uint64_t TCustomSystemMemory::MaxPhysicalMemorySize() {
    return std::min<std::uint64_t>(MaxPhysicalMemorySize64(), 0xC0000000ULL);
}

std::uint64_t TCustomSystemMemory::MaxPhysicalMemoryOneBlockSize() {
    return std::min<std::uint64_t>(MaxPhysicalMemorySize64(), 0x60000000ULL);
}

bool TCustomSystemMemory::CanAllocateMemory(std::uint64_t ASize) {
    Update();
    return ASize <= FLargestBlock && ASize + 8 * MiB <= FLargestBlock;
}

TCustomSystemMemory& SystemMemory() {
    static TCustomSystemMemory memory;
    return memory;
}
