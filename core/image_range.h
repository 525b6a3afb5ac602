// Whether a block of bytes lies inside a loaded image, so that a damaged resource entry (an
// address or size past the image) is refused before anything reads it.
#pragma once

#include <cstddef>
#include <cstdint>

// True when [address, address + size) lies within [base, base + extent); never overflows.
bool rangeInside(std::uintptr_t base, std::size_t extent, std::uintptr_t address, std::size_t size);
