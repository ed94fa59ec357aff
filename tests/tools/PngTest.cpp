// Native tests of the screenshot tool's PNG encoder, read back through zlib as an independent decoder.
#include "Png.h"

#include <gtest/gtest.h>
#include <zlib.h>

#include <array>
#include <cstdint>
#include <random>
#include <stdexcept>
#include <string>
#include <vector>

namespace {

using Bytes = std::vector<std::uint8_t>;
using screenshot::Adler32;
using screenshot::Crc32;
using screenshot::EncodePng;
using screenshot::ZlibCompress;

// ---- reading back ----

Bytes Inflate(const Bytes& stream) {
    z_stream z{};
    if (inflateInit(&z) != Z_OK) throw std::runtime_error("inflateInit failed");
    Bytes out;
    std::array<std::uint8_t, 16384> buffer{};
    z.next_in = const_cast<Bytef*>(stream.data());
    z.avail_in = static_cast<uInt>(stream.size());
    int status = Z_OK;
    while (status == Z_OK) {
        z.next_out = buffer.data();
        z.avail_out = static_cast<uInt>(buffer.size());
        status = inflate(&z, Z_NO_FLUSH);
        out.insert(out.end(), buffer.data(), z.next_out);
    }
    const bool whole = status == Z_STREAM_END && z.avail_in == 0;
    const std::string message = z.msg ? z.msg : "truncated stream or bytes after its end";
    inflateEnd(&z);
    if (!whole) throw std::runtime_error("inflate: " + message);
    return out;
}

std::uint32_t BigEndian32(const Bytes& bytes, std::size_t at) {
    if (at + 4 > bytes.size()) throw std::runtime_error("read past the end");
    return std::uint32_t{bytes[at]} << 24 | std::uint32_t{bytes[at + 1]} << 16 | std::uint32_t{bytes[at + 2]} << 8 |
           bytes[at + 3];
}

struct Chunk {
    std::string type;
    Bytes data;
    std::uint32_t crc = 0;
};

const Bytes kSignature = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};

std::vector<Chunk> Chunks(const Bytes& png) {
    if (png.size() < kSignature.size() || !std::equal(kSignature.begin(), kSignature.end(), png.begin())) {
        throw std::runtime_error("no PNG signature");
    }
    std::vector<Chunk> chunks;
    std::size_t at = kSignature.size();
    while (at < png.size()) {
        const std::size_t length = BigEndian32(png, at);
        if (at + 12 + length > png.size()) throw std::runtime_error("chunk runs past the end");
        Chunk chunk;
        chunk.type.assign(png.begin() + static_cast<std::ptrdiff_t>(at + 4), png.begin() + static_cast<std::ptrdiff_t>(at + 8));
        chunk.data.assign(png.begin() + static_cast<std::ptrdiff_t>(at + 8),
                          png.begin() + static_cast<std::ptrdiff_t>(at + 8 + length));
        chunk.crc = BigEndian32(png, at + 8 + length);
        chunks.push_back(std::move(chunk));
        at += 12 + length;
    }
    return chunks;
}

// Reverses the row filters; only none, sub and up are expected.
Bytes Unfilter(int width, int height, const Bytes& filtered) {
    const std::size_t stride = static_cast<std::size_t>(width) * 3;
    if (filtered.size() != static_cast<std::size_t>(height) * (stride + 1)) throw std::runtime_error("wrong size");
    Bytes rgb(static_cast<std::size_t>(height) * stride);
    for (std::size_t y = 0; y < static_cast<std::size_t>(height); ++y) {
        const std::uint8_t filter = filtered[y * (stride + 1)];
        for (std::size_t x = 0; x < stride; ++x) {
            const std::uint8_t value = filtered[y * (stride + 1) + 1 + x];
            std::uint8_t predicted = 0;
            if (filter == 1) {
                predicted = x >= 3 ? rgb[y * stride + x - 3] : 0;
            } else if (filter == 2) {
                predicted = y > 0 ? rgb[(y - 1) * stride + x] : 0;
            } else if (filter != 0) {
                throw std::runtime_error("unexpected filter " + std::to_string(filter));
            }
            rgb[y * stride + x] = static_cast<std::uint8_t>(value + predicted);
        }
    }
    return rgb;
}

struct Decoded {
    std::vector<Chunk> chunks;
    Bytes filtered;  // the inflated IDAT data
};

Decoded Decode(const Bytes& png) {
    Decoded decoded{Chunks(png), {}};
    Bytes stream;
    for (const Chunk& chunk : decoded.chunks) {
        if (chunk.type == "IDAT") stream.insert(stream.end(), chunk.data.begin(), chunk.data.end());
    }
    decoded.filtered = Inflate(stream);
    return decoded;
}

std::vector<int> RowFilters(int width, const Bytes& filtered) {
    const std::size_t stride = static_cast<std::size_t>(width) * 3 + 1;
    std::vector<int> filters;
    for (std::size_t at = 0; at < filtered.size(); at += stride) filters.push_back(filtered[at]);
    return filters;
}

// ---- pictures ----

struct Picture {
    int width = 0;
    int height = 0;
    Bytes rgb;
};

Bytes Noise(std::size_t size, std::uint32_t seed) {
    std::mt19937 random(seed);
    Bytes bytes(size);
    for (auto& byte : bytes) byte = static_cast<std::uint8_t>(random() >> 24);
    return bytes;
}

Picture NoisePicture(int width, int height, std::uint32_t seed) {
    return {width, height, Noise(static_cast<std::size_t>(width) * height * 3, seed)};
}

Picture Flat(int width, int height, std::uint8_t r, std::uint8_t g, std::uint8_t b) {
    Picture picture{width, height, {}};
    for (int i = 0; i < width * height; ++i) picture.rgb.insert(picture.rgb.end(), {r, g, b});
    return picture;
}

Picture Rows(int width, const std::vector<std::vector<std::uint8_t>>& greys) {
    Picture picture{width, static_cast<int>(greys.size()), {}};
    for (const auto& row : greys) {
        for (const std::uint8_t grey : row) picture.rgb.insert(picture.rgb.end(), {grey, grey, grey});
    }
    return picture;
}

Picture Gradient(int width, int height) {
    Picture picture{width, height, {}};
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            picture.rgb.insert(picture.rgb.end(), {static_cast<std::uint8_t>(x), static_cast<std::uint8_t>(y),
                                                   static_cast<std::uint8_t>(x * y)});
        }
    }
    return picture;
}

struct Colour {
    std::uint8_t r, g, b;
};

void Fill(Picture& picture, int left, int top, int width, int height, Colour colour) {
    for (int y = top; y < top + height && y < picture.height; ++y) {
        for (int x = left; x < left + width && x < picture.width; ++x) {
            const std::size_t at = (static_cast<std::size_t>(y) * picture.width + x) * 3;
            picture.rgb[at] = colour.r;
            picture.rgb[at + 1] = colour.g;
            picture.rgb[at + 2] = colour.b;
        }
    }
}

// A dialog-like picture: a title bar, a framed panel, buttons, and lines of text-like strokes.
Picture UserInterface(int width, int height) {
    constexpr Colour kFace{236, 233, 216}, kTitle{0, 84, 227}, kWhite{255, 255, 255}, kInk{0, 0, 0},
        kShadow{172, 168, 153};
    Picture picture = Flat(width, height, kFace.r, kFace.g, kFace.b);
    Fill(picture, 0, 0, width, 30, kTitle);
    Fill(picture, 20, 50, width - 40, 1, kShadow);
    Fill(picture, 20, 50, 1, height - 120, kShadow);
    Fill(picture, 21, 51, width - 42, height - 122, kWhite);
    for (int button = 0; button < 3; ++button) {
        const int left = width - 100 * (button + 1);
        Fill(picture, left, height - 50, 85, 25, kShadow);
        Fill(picture, left + 1, height - 49, 83, 23, kFace);
    }
    std::mt19937 random(7);
    auto strokes = [&](int left, int top, int right, Colour colour) {
        for (int x = left; x < right;) {
            const int glyph = 4 + static_cast<int>(random() % 5);
            const unsigned shape = random();
            if (shape & 1u) Fill(picture, x, top, 1, 11, colour);
            if (shape & 2u) Fill(picture, x + glyph - 1, top + 3, 1, 8, colour);
            if (shape & 4u) Fill(picture, x, top + 3, glyph, 1, colour);
            if (shape & 8u) Fill(picture, x, top + 10, glyph, 1, colour);
            x += glyph + 2 + ((shape & 0x70u) == 0 ? 5 : 0);  // now and then a space
        }
    };
    strokes(8, 9, width / 2, kWhite);
    for (int top = 60; top + 11 < height - 80; top += 18) strokes(30, top, width - 40, kInk);
    for (int button = 0; button < 3; ++button) strokes(width - 100 * (button + 1) + 20, height - 43, width - 100 * button - 35, kInk);
    return picture;
}

// ---- checksums ----

TEST(Checksums, AgreeWithZlib) {
    const std::string digits = "123456789";
    const Bytes inputs[] = {
        {},
        {'a'},
        Bytes(digits.begin(), digits.end()),
        Bytes(100'000, 0xFF),  // the largest sums: Adler-32 must reduce before they overflow
        Noise(70'001, 1),
    };
    for (const Bytes& input : inputs) {
        EXPECT_EQ(Crc32(input), crc32(0, input.data(), static_cast<uInt>(input.size()))) << input.size() << " bytes";
        EXPECT_EQ(Adler32(input), adler32(1, input.data(), static_cast<uInt>(input.size()))) << input.size() << " bytes";
    }
    EXPECT_EQ(Crc32(Bytes(digits.begin(), digits.end())), 0xCBF43926u);
}

// ---- compression ----

// Random bytes with copies of earlier stretches pasted in, so that every match length from 3 to
// 258 turns up, at distances near each edge of the distance ranges up to the window's far end.
Bytes Repeats() {
    Bytes bytes = Noise(40'000, 2);
    const std::size_t distances[] = {1, 2, 3, 4, 5, 6, 8, 9, 12, 13, 16, 17, 24, 25, 32, 33, 48, 49, 64, 65, 96, 97,
                                     128, 129, 255, 256, 257, 1024, 1025, 4096, 4097, 16384, 16385, 24576, 24577, 32767,
                                     32768};
    std::size_t next = 0;
    for (std::size_t length = 3; length <= 258; ++length) {
        const std::size_t distance = distances[next++ % std::size(distances)];
        const std::size_t start = bytes.size();
        for (std::size_t i = 0; i < length; ++i) bytes.push_back(bytes[start + i - distance]);
        const Bytes gap = Noise(7, static_cast<std::uint32_t>(length));
        bytes.insert(bytes.end(), gap.begin(), gap.end());
    }
    return bytes;
}

Bytes Twice(const Bytes& block) {
    Bytes bytes = block;
    bytes.insert(bytes.end(), block.begin(), block.end());
    return bytes;
}

Bytes Text(const std::string& text) { return Bytes(text.begin(), text.end()); }

Bytes AllByteValues() {
    Bytes bytes;
    for (int round = 0; round < 3; ++round) {
        for (int value = 0; value < 256; ++value) bytes.push_back(static_cast<std::uint8_t>(value * 7 + round));
    }
    return bytes;
}

TEST(ZlibCompress, InflatesBackAndStaysWithinItsBound) {
    struct Case {
        const char* name;
        Bytes data;
        std::size_t maxSize;  // 0: only the worst case of fixed codes, 9 bits a byte
    };
    const Case cases[] = {
        {"empty", {}, 0},
        {"one byte", {42}, 0},
        {"two bytes", {200, 200}, 0},
        {"three equal bytes", {9, 9, 9}, 0},
        {"short text", Text("abcabcabcabcabcXabcabc"), 0},
        {"every byte value", AllByteValues(), 0},
        {"zeros in long runs", Bytes(100'000, 0), 1'000},
        {"every length at many distances", Repeats(), 0},
        // Found only if a repeat 32768 bytes back is used; 36000 is far below two copies' 69600.
        {"a block repeated at the window's far end", Twice(Noise(32'768, 3)), 36'000},
        // One byte further than the window can reach: must come out as literals, and still inflate.
        {"a block repeated just beyond the window", Twice(Noise(32'769, 4)), 0},
        {"noise", Noise(200'000, 5), 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const Bytes stream = ZlibCompress(c.data);
        EXPECT_EQ(Inflate(stream), c.data);
        const std::size_t worst = 2 + (3 + c.data.size() * 9 + 7 + 7) / 8 + 4;
        EXPECT_LE(stream.size(), c.maxSize ? c.maxSize : worst);
    }
}

// ---- PNG files ----

TEST(EncodePng, WritesWellFormedChunksThatDecodeToThePicture) {
    struct Case {
        const char* name;
        Picture picture;
        std::size_t maxSize;  // 0: no bound
    };
    const Case cases[] = {
        {"1x1", Flat(1, 1, 10, 20, 30), 0},
        {"2x1", NoisePicture(2, 1, 10), 0},
        {"1x3", NoisePicture(1, 3, 11), 0},
        {"odd sides", NoisePicture(7, 5, 12), 0},
        {"odd gradient", Gradient(33, 17), 0},
        {"flat", Flat(64, 64, 200, 100, 50), 300},
        {"noise over several IDAT chunks", NoisePicture(211, 127, 13), 0},
        {"user interface 600x450", UserInterface(600, 450), 20'000},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const Picture& p = c.picture;
        const Bytes png = EncodePng(p.width, p.height, p.rgb);
        const Decoded decoded = Decode(png);
        const auto& chunks = decoded.chunks;

        ASSERT_GE(chunks.size(), 3u);
        EXPECT_EQ(chunks.front().type, "IHDR");
        EXPECT_EQ(chunks.back().type, "IEND");
        EXPECT_TRUE(chunks.back().data.empty());
        for (std::size_t i = 1; i + 1 < chunks.size(); ++i) EXPECT_EQ(chunks[i].type, "IDAT") << "chunk " << i;
        for (const Chunk& chunk : chunks) {
            Bytes checked(chunk.type.begin(), chunk.type.end());
            checked.insert(checked.end(), chunk.data.begin(), chunk.data.end());
            EXPECT_EQ(chunk.crc, crc32(0, checked.data(), static_cast<uInt>(checked.size()))) << chunk.type;
        }

        const Bytes& header = chunks.front().data;
        ASSERT_EQ(header.size(), 13u);
        EXPECT_EQ(BigEndian32(header, 0), static_cast<std::uint32_t>(p.width));
        EXPECT_EQ(BigEndian32(header, 4), static_cast<std::uint32_t>(p.height));
        EXPECT_EQ(Bytes(header.begin() + 8, header.end()), (Bytes{8, 2, 0, 0, 0}));  // 8-bit RGB, plain

        EXPECT_EQ(decoded.filtered.size(), static_cast<std::size_t>(p.height) * (static_cast<std::size_t>(p.width) * 3 + 1));
        EXPECT_EQ(Unfilter(p.width, p.height, decoded.filtered), p.rgb);
        if (c.maxSize) {
            EXPECT_LE(png.size(), c.maxSize);
        }
    }
}

TEST(EncodePng, FiltersEachRowByTheSmallestSumOfSignedBytes) {
    constexpr int kNone = 0, kSub = 1, kUp = 2;
    struct Case {
        const char* name;
        Picture picture;
        std::vector<int> filters;
    };
    const Case cases[] = {
        {"flat: the first row by sub, the rest by up", Flat(8, 4, 100, 150, 200), {kSub, kUp, kUp, kUp}},
        {"black: all filters tie, none is kept", Flat(5, 2, 0, 0, 0), {kNone, kNone}},
        {"small values, a ramp, the same ramp brighter, small values again",
         Rows(4, {{0, 9, 0, 9}, {10, 20, 30, 40}, {11, 21, 31, 41}, {0, 9, 0, 9}}),
         {kNone, kSub, kUp, kNone}},
        // 254 and 1 weigh 2 and 1, not 254 and 1: up, at 1 and 4 a byte, loses to none.
        {"bytes near 256 count as small negatives", Rows(4, {{253, 253, 253, 253}, {254, 1, 254, 1}}), {kSub, kNone}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const Picture& p = c.picture;
        const Decoded decoded = Decode(EncodePng(p.width, p.height, p.rgb));
        EXPECT_EQ(RowFilters(p.width, decoded.filtered), c.filters);
        EXPECT_EQ(Unfilter(p.width, p.height, decoded.filtered), p.rgb);
    }
}

TEST(EncodePng, RejectsSidesThatDoNotMatchThePixels) {
    struct Case {
        int width, height;
        std::size_t bytes;
    };
    const Case cases[] = {{0, 1, 0}, {1, 0, 0}, {-1, 1, 3}, {1, -1, 3}, {2, 2, 11}, {2, 2, 13}, {1, 1, 0}};
    for (const Case& c : cases) {
        const Bytes rgb(c.bytes, 0);
        EXPECT_THROW(EncodePng(c.width, c.height, rgb), std::invalid_argument)
            << c.width << "x" << c.height << ", " << c.bytes << " bytes";
    }
}

}  // namespace
