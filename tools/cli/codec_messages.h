// The codec's results told to a quiz maker.
#pragma once

#include <cstdint>
#include <string>

// "le bloc compacté est abîmé : un code est inconnu (CodecBadCode, -7)": French first, the
// result's name for experts in parentheses. `packing` picks the wording for the direction.
std::string describeCodecResult(int32_t result, bool packing);
