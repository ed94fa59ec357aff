// PNG encoding of 8-bit RGB pictures for the screenshot tool, with its own DEFLATE compressor;
// free of Windows so that it is tested natively.
#pragma once

#include <cstdint>
#include <span>
#include <vector>

namespace screenshot {

// The checksums PNG and zlib use: CRC-32 as in every PNG chunk, Adler-32 as at a zlib stream's end.
std::uint32_t Crc32(std::span<const std::uint8_t> bytes);
std::uint32_t Adler32(std::span<const std::uint8_t> bytes);

// data as a complete zlib stream: a single DEFLATE block of fixed Huffman codes, with repeats
// found greedily within the last 32 KiB.
std::vector<std::uint8_t> ZlibCompress(std::span<const std::uint8_t> data);

// A PNG file (8 bits per channel, RGB, not interlaced) of width x height pixels, given as rows of
// R, G, B bytes, top row first. Each row is filtered with whichever of none, up and sub leaves
// the smallest sum of magnitudes. Throws std::invalid_argument when a side is not positive or
// rgb does not hold exactly width * height * 3 bytes.
std::vector<std::uint8_t> EncodePng(int width, int height, std::span<const std::uint8_t> rgb);

}  // namespace screenshot
