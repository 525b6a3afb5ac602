// The packing half of the codec, behind packBlock: the code stream of one block.
#pragma once

#include <cstdint>

// Packs input (1 to kMaxBlockInput bytes) into out (kPackCapacity bytes), CodeEnd included;
// returns the packed length, or 0 when the block does not fit. Uses module-level storage.
uint32_t packCodeStream(const uint8_t* input, uint32_t length, uint8_t* out);
