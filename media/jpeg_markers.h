// The marker structure of a picture file walked without decoding it: which format the bytes are,
// a JPEG's frame size and coding, and whether the file is whole.
#pragma once

#include <cstddef>

enum class PictureFormat { Unknown, Jpeg, Png, Gif, Bmp };

enum class JpegProblem {
    None,
    NotJpeg,           // format tells what the bytes are instead, when it is recognised
    Malformed,         // no marker where one belongs, a segment shorter than its own length field,
                       // a scan before any frame header, or an end before any scan
    UnsupportedFrame,  // coded otherwise than baseline, extended sequential (8 bits) or progressive
    Truncated,         // a segment runs past the end, or the data stops before or inside a scan
    NoEndMarker,       // every segment is whole, yet the end-of-image marker never comes
};

struct JpegFrame {
    bool ok = false;  // a whole JPEG of a supported coding, with a non-empty frame
    PictureFormat format = PictureFormat::Unknown;
    int width = 0;       // from the first frame header, even in a damaged file;
    int height = 0;      // 0 when no frame header was read
    int precision = 0;   // bits per sample of that frame header (8 in common files)
    int components = 0;  // 1 grey, 3 colour (YCbCr), 4 CMYK
    bool progressive = false;
    unsigned char frameMarker = 0;  // 0xC0 .. 0xCF: the SOFn of that frame header; 0 without one
    JpegProblem problem = JpegProblem::NotJpeg;
};

// Recognises a file by its first bytes: JPEG FF D8 FF, PNG, GIF87a/GIF89a, BMP "BM".
PictureFormat pictureFormat(const unsigned char* bytes, std::size_t size);

// Walks the segments by their lengths (so that markers inside segments, embedded thumbnails
// included, are never taken for real ones) and the entropy-coded data of each scan up to the next
// marker. Reads only bytes[0 .. size), in one forward pass.
JpegFrame readJpegFrame(const unsigned char* bytes, std::size_t size);

// The width and height readJpegFrame gives, walking only as far as the first frame header: for
// sizing a picture before it is decoded. False when that walk finds no JPEG frame of both sizes.
bool readJpegSize(const unsigned char* bytes, std::size_t size, int* width, int* height);
