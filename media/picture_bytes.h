// Checks on picture-file bytes made before they reach the platform decoder.
#pragma once

#include <cstddef>

// True for bytes that start as a JPEG but end before its end-of-image marker: some decoders turn
// such a file into a picture half filled with grey. Other bytes, complete JPEGs included, are left
// to the decoder (false).
bool isTruncatedJpeg(const unsigned char* bytes, std::size_t length);
