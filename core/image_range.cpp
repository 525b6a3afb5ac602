#include "core/image_range.h"

bool rangeInside(std::uintptr_t base, std::size_t extent, std::uintptr_t address,
                 std::size_t size) {
    if (address < base) return false;
    const std::uintptr_t offset = address - base;
    return offset <= extent && size <= extent - offset;
}
