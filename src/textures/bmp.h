// Reading uncompressed 24-bit Windows BMP files into packed RGB images.
//
// The reader trusts nothing in the file: every size is checked before it is
// used, and every failure prints one clear line on standard output and returns
// 0. It honours the pixel-data offset, the 4-byte row padding and top-down
// files, and hands back rows bottom-up, as OpenGL wants them. It keeps no
// state.
#pragma once

#include <cstdint>
#include <cstdio>

// One decoded image: width x height pixels of R, G, B bytes, rows bottom-up and
// packed with no padding. The reader allocates `pixels` with malloc; the
// caller owns it afterwards.
struct TextureImage {
    uint32_t width;
    uint32_t height;
    unsigned char* pixels;
};

// Reads `fileName` into `image`. Returns 1 on success, 0 on failure (with a
// message printed; the record's fields are then not to be used).
int readBmp(const char* fileName, TextureImage* image);
// Little-endian values read a byte at a time from the current position. They
// make no end-of-file check: each byte past the end adds getc's EOF (-1) into
// the sum, so a 16-bit field wholly past the end reads 65279. readBmp rejects
// such a header by its planes or bits-per-pixel value, and checks the file's
// length before it reads any pixels.
uint32_t readLE32(FILE* file);
uint16_t readLE16(FILE* file);
