#pragma once

#include <cstddef>

namespace kestavo {

// Whether a BMP, GIF or JPEG file's header claims a picture of more pixels
// than setup.exe decodes, or of a negative size: the decoders allocate
// what the header claims, whatever the file holds. The header is read with
// every offset checked against the bytes given; another format, or a
// header cut short, claims nothing.
bool ClaimsTooManyPixels(const unsigned char* bytes, std::size_t size);

}  // namespace kestavo
