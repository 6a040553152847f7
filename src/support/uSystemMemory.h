#pragma once

#include <cstdint>

// A used/total pair of byte counts; free saturates at zero.
struct TMemoryRatio {
    std::uint64_t Used = 0;
    std::uint64_t Total = 0;
    std::uint64_t Free() const { return Total > Used ? Total - Used : 0; }
};

// Physical memory, commit charge and page file, re-read by Update. The commit total is physical
// memory plus swap; no value ever underflows.
class TCustomSystemMemory {
public:
    virtual ~TCustomSystemMemory() = default;
    virtual void          Update();
    virtual std::uint64_t ProcessAllocatedVirtualMemory() const;

    const TMemoryRatio& Physical() const { return FPhysical; }
    const TMemoryRatio& Virtual() const { return FVirtual; }
    const TMemoryRatio& PageFile() const { return FPageFile; }
    std::uint64_t       Available() const { return FAvailable; }

    // Memory left for the rest of the system, by the size of the machine.
    static std::uint64_t ReservedMemory(std::uint64_t APhysicalTotal, std::uint64_t APhysicalUsed);
    // What the engine may take for its tables: the physical memory it can really get.
    std::uint64_t MaxPhysicalMemorySize64();
    // Capped at 3 GiB.
    std::uint64_t MaxPhysicalMemorySize();
    // Capped at 1.5 GiB.
    std::uint64_t MaxPhysicalMemoryOneBlockSize();
    // True when ASize plus 8 MiB of head room can be given without swapping.
    bool CanAllocateMemory(std::uint64_t ASize);

    // For tests: replaces the figures Update would read.
    void SetFigures(TMemoryRatio APhysical, TMemoryRatio AVirtual, std::uint64_t AAvailable,
                    std::uint64_t ALargestBlock);

private:
    void Derive();

    TMemoryRatio  FPhysical;
    TMemoryRatio  FVirtual;
    TMemoryRatio  FPageFile;
    std::uint64_t FAvailable = 0;
    std::uint64_t FLargestBlock = 0;
    bool          FFixed = false;
};

TCustomSystemMemory& SystemMemory();
