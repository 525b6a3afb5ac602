// The loaded module is one allocation of address space: its extent is the run of regions that
// share the allocation base, whether the loader mapped it as an image or as a data file.
#include "core/win/image_bounds.h"

#include <cstdint>

#include "core/image_range.h"

namespace {

constexpr std::uintptr_t kDataFileFlags =
    3;  // LOAD_LIBRARY_AS_DATAFILE marks the handle's low bits

std::size_t allocationExtent(const void* base) {
    std::size_t extent = 0;
    for (;;) {
        MEMORY_BASIC_INFORMATION region{};
        const auto* at = static_cast<const char*>(base) + extent;
        if (!VirtualQuery(at, &region, sizeof region) || region.AllocationBase != base ||
            region.State != MEM_COMMIT || region.RegionSize == 0)
            return extent;
        extent += region.RegionSize;
    }
}

}  // namespace

bool insideLoadedModule(HMODULE module, const void* data, DWORD size) {
    if (!module) module = GetModuleHandleA(nullptr);
    const auto handle = reinterpret_cast<std::uintptr_t>(module) & ~kDataFileFlags;
    MEMORY_BASIC_INFORMATION first{};
    if (!VirtualQuery(reinterpret_cast<const void*>(handle), &first, sizeof first)) return false;
    const auto base = reinterpret_cast<std::uintptr_t>(first.AllocationBase);
    return rangeInside(base, allocationExtent(first.AllocationBase),
                       reinterpret_cast<std::uintptr_t>(data), size);
}
