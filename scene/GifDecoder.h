// The GIF decoder: DecodeLzw turns one image's LZW data into colour indices; DecodeGif reads a
// whole GIF file held in memory (header, colour tables, extension blocks, first image) into a
// CBmp. Both check every length and offset against the data they are given, so damaged data
// yields a partial or empty picture, never a read or write outside the buffers.
#pragma once

#include <cstddef>
#include <cstdint>

class CBmp;

// Decodes image data that starts with the LZW minimum code size byte, followed by data
// sub-blocks, into at most capacity indices. Decoding stops at the end code, at the end of the
// data (a zero-length sub-block or size bytes), at a full index buffer, or at a damaged code (one
// above the next free code). Answers the number of indices written.
std::size_t DecodeLzw(const std::uint8_t* imageData, std::size_t size, std::uint8_t* indices,
                      std::size_t capacity) noexcept;

// Results of DecodeGif and CBmp::LoadGifFromResource.
enum EGifResult : int {
    kGifFailed = 0,    // no data, not a GIF, damaged container, no image, image data that decodes
                       // to no pixel, refused size or no memory
    kGifDone = 1,      // decoded; also answered, with an empty bitmap, for a GIF without a global
                       // colour table
    kGifNoMemory = 3,  // the resource could not be copied
};

// Decodes the first image of a GIF file into bitmap (screen size; pixels of the transparent index
// and outside the image are transparent black, others opaque). On kGifFailed the bitmap is empty.
// A screen or image of more than maxPixels pixels is refused (kGifFailed); the default is the
// largest picture a CBmp takes, a fuzzer sets it lower so that it spends its time on the parsing.
int DecodeGif(const std::uint8_t* data, std::size_t size, CBmp& bitmap, long long maxPixels = 64LL * 1024 * 1024);
