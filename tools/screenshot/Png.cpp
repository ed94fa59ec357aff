// PNG encoding for the screenshot tool: checksums, a DEFLATE compressor and the file's chunks.
#include "Png.h"

#include <algorithm>
#include <array>
#include <cstddef>
#include <limits>
#include <stdexcept>

namespace screenshot {
namespace {

// ---- checksums ----

constexpr std::array<std::uint32_t, 256> MakeCrcTable() {
    std::array<std::uint32_t, 256> table{};
    for (std::uint32_t n = 0; n < 256; ++n) {
        std::uint32_t c = n;
        for (int bit = 0; bit < 8; ++bit) c = (c & 1u) ? 0xEDB88320u ^ (c >> 1) : c >> 1;
        table[n] = c;
    }
    return table;
}
constexpr auto kCrcTable = MakeCrcTable();

// ---- bit output ----

// DEFLATE packs values from the least significant bit of each byte upwards.
class BitWriter {
public:
    explicit BitWriter(std::vector<std::uint8_t>& out) : m_out(out) {}

    // The low count bits of value, lowest first; count is at most 24.
    void Put(std::uint32_t value, int count) {
        m_buffer |= std::uint64_t{value & ((1u << count) - 1u)} << m_count;
        m_count += count;
        while (m_count >= 8) {
            m_out.push_back(static_cast<std::uint8_t>(m_buffer & 0xFFu));
            m_buffer >>= 8;
            m_count -= 8;
        }
    }

    // Pads the last byte with zero bits.
    void Flush() {
        if (m_count > 0) m_out.push_back(static_cast<std::uint8_t>(m_buffer & 0xFFu));
        m_buffer = 0;
        m_count = 0;
    }

private:
    std::vector<std::uint8_t>& m_out;
    std::uint64_t m_buffer = 0;
    int m_count = 0;  // bits waiting in m_buffer, always below 8 between calls
};

// ---- fixed Huffman codes ----

// Huffman codes are sent from their most significant bit, unlike every other field, so each code
// is stored bit-reversed and can go through BitWriter::Put like the rest.
struct Code {
    std::uint16_t bits = 0;
    int length = 0;
};

constexpr std::uint16_t Reversed(std::uint32_t code, int length) {
    std::uint32_t reversed = 0;
    for (int i = 0; i < length; ++i) reversed |= ((code >> i) & 1u) << (length - 1 - i);
    return static_cast<std::uint16_t>(reversed);
}

constexpr std::array<Code, 288> MakeLiteralLengthCodes() {
    std::array<Code, 288> codes{};
    for (std::uint32_t symbol = 0; symbol < codes.size(); ++symbol) {
        std::uint32_t code = 0;
        int length = 0;
        if (symbol < 144) {
            code = 0x30 + symbol, length = 8;
        } else if (symbol < 256) {
            code = 0x190 + (symbol - 144), length = 9;
        } else if (symbol < 280) {
            code = symbol - 256, length = 7;
        } else {
            code = 0xC0 + (symbol - 280), length = 8;
        }
        codes[symbol] = {Reversed(code, length), length};
    }
    return codes;
}
constexpr auto kLiteralLengthCodes = MakeLiteralLengthCodes();
constexpr int kDistanceCodeLength = 5;
constexpr std::uint32_t kEndOfBlock = 256;
constexpr std::uint32_t kFirstLengthSymbol = 257;

// Each length or distance is sent as the symbol of the range holding it plus its offset into that
// range in extra bits.
constexpr std::array<std::uint16_t, 29> kLengthBase = {
    3,  4,  5,  6,  7,  8,  9,  10, 11,  13,  15,  17,  19,  23, 27,
    31, 35, 43, 51, 59, 67, 83, 99, 115, 131, 163, 195, 227, 258};
constexpr std::array<std::uint8_t, 29> kLengthExtraBits = {
    0, 0, 0, 0, 0, 0, 0, 0, 1, 1, 1, 1, 2, 2, 2, 2, 3, 3, 3, 3, 4, 4, 4, 4, 5, 5, 5, 5, 0};
constexpr std::array<std::uint16_t, 30> kDistanceBase = {
    1,   2,   3,   4,   5,   7,    9,    13,   17,   25,   33,   49,   65,    97,    129,
    193, 257, 385, 513, 769, 1025, 1537, 2049, 3073, 4097, 6145, 8193, 12289, 16385, 24577};
constexpr std::array<std::uint8_t, 30> kDistanceExtraBits = {
    0, 0, 0, 0, 1, 1, 2, 2, 3, 3, 4, 4, 5, 5, 6, 6, 7, 7, 8, 8, 9, 9, 10, 10, 11, 11, 12, 12, 13, 13};

constexpr std::size_t kMinMatch = 3;
constexpr std::size_t kMaxMatch = 258;
constexpr std::size_t kWindow = 32768;

// The ranges must tile the values without gaps, so that a typo in the tables cannot slip by.
template <std::size_t N>
constexpr bool Tiles(const std::array<std::uint16_t, N>& base, const std::array<std::uint8_t, N>& extra,
                     std::size_t ranges, std::size_t end) {
    for (std::size_t i = 0; i < ranges; ++i) {
        const std::size_t next = i + 1 < ranges ? base[i + 1] : end;
        if (base[i] + (std::size_t{1} << extra[i]) != next) return false;
    }
    return true;
}
// Length 258 has a symbol of its own, although the range before it could reach it too.
static_assert(kLengthBase.front() == kMinMatch && kLengthBase.back() == kMaxMatch && kLengthExtraBits.back() == 0);
static_assert(Tiles(kLengthBase, kLengthExtraBits, kLengthBase.size() - 1, kMaxMatch + 1));
static_assert(Tiles(kDistanceBase, kDistanceExtraBits, kDistanceBase.size(), kWindow + 1));

// Index of the range holding value: the last base not above it.
template <std::size_t N>
std::size_t RangeOf(const std::array<std::uint16_t, N>& base, std::size_t value) {
    const auto after = std::upper_bound(base.begin(), base.end(), value);
    return static_cast<std::size_t>(after - base.begin()) - 1;
}

class FixedHuffmanWriter {
public:
    explicit FixedHuffmanWriter(BitWriter& bits) : m_bits(bits) {}

    void Symbol(std::uint32_t symbol) {
        const Code& code = kLiteralLengthCodes[symbol];
        m_bits.Put(code.bits, code.length);
    }

    void Match(std::size_t length, std::size_t distance) {
        const std::size_t lengthRange = RangeOf(kLengthBase, length);
        Symbol(kFirstLengthSymbol + static_cast<std::uint32_t>(lengthRange));
        m_bits.Put(static_cast<std::uint32_t>(length - kLengthBase[lengthRange]), kLengthExtraBits[lengthRange]);

        const std::size_t distanceRange = RangeOf(kDistanceBase, distance);
        m_bits.Put(Reversed(static_cast<std::uint32_t>(distanceRange), kDistanceCodeLength), kDistanceCodeLength);
        m_bits.Put(static_cast<std::uint32_t>(distance - kDistanceBase[distanceRange]),
                   kDistanceExtraBits[distanceRange]);
    }

private:
    BitWriter& m_bits;
};

// ---- repeat finding ----

struct Repeat {
    std::size_t length = 0;  // 0: nothing worth a match
    std::size_t distance = 0;
};

// Chains, per hash of three bytes, the earlier positions starting with those bytes, newest first.
// Positions older than the window are cut off by distance, so a slot of m_previous is only read
// while it still belongs to the position that wrote it.
class RepeatFinder {
public:
    explicit RepeatFinder(std::span<const std::uint8_t> data)
        : m_data(data), m_head(std::size_t{1} << kHashBits, kNone), m_previous(kWindow, kNone) {}

    // Every position must be added, in order, once its own search is done.
    void Add(std::size_t position) {
        if (position + kMinMatch > m_data.size()) return;
        std::size_t& head = m_head[Hash(position)];
        m_previous[position % kWindow] = head;
        head = position;
    }

    // The longest earlier repeat of the bytes at position, as far as kMaxMatch and the data's end.
    Repeat Longest(std::size_t position) const {
        Repeat best;
        if (position + kMinMatch > m_data.size()) return best;
        const std::size_t limit = std::min(kMaxMatch, m_data.size() - position);
        std::size_t candidate = m_head[Hash(position)];
        for (int step = 0; step < kMaxChain && candidate != kNone && position - candidate <= kWindow; ++step) {
            std::size_t length = 0;
            while (length < limit && m_data[candidate + length] == m_data[position + length]) ++length;
            if (length > best.length) {
                best = {length, position - candidate};
                if (length == limit) break;
            }
            candidate = m_previous[candidate % kWindow];
        }
        return best.length >= kMinMatch ? best : Repeat{};
    }

private:
    static constexpr int kHashBits = 15;
    // Enough for flat user-interface pictures, which repeat at once, while noise stays quick.
    static constexpr int kMaxChain = 64;
    static constexpr std::size_t kNone = std::numeric_limits<std::size_t>::max();

    std::size_t Hash(std::size_t position) const {
        const std::uint32_t key = (std::uint32_t{m_data[position]} << 16) |
                                  (std::uint32_t{m_data[position + 1]} << 8) | m_data[position + 2];
        return (key * 2654435761u) >> (32 - kHashBits);
    }

    std::span<const std::uint8_t> m_data;
    std::vector<std::size_t> m_head;
    std::vector<std::size_t> m_previous;
};

// ---- PNG ----

void AppendBigEndian32(std::vector<std::uint8_t>& out, std::uint32_t value) {
    for (int shift = 24; shift >= 0; shift -= 8) out.push_back(static_cast<std::uint8_t>(value >> shift));
}

void AppendChunk(std::vector<std::uint8_t>& out, const char (&type)[5], std::span<const std::uint8_t> data) {
    AppendBigEndian32(out, static_cast<std::uint32_t>(data.size()));
    const std::size_t checked = out.size();
    out.insert(out.end(), type, type + 4);
    out.insert(out.end(), data.begin(), data.end());
    AppendBigEndian32(out, Crc32(std::span(out).subspan(checked)));
}

// Filters compared by the magnitude of their bytes read as signed, the usual guess at which one
// compresses best.
enum class Filter : std::uint8_t { None = 0, Sub = 1, Up = 2 };
constexpr std::size_t kBytesPerPixel = 3;

unsigned Magnitude(std::uint8_t byte) { return byte < 128 ? byte : 256u - byte; }

std::vector<std::uint8_t> FilterRows(std::size_t stride, std::size_t height, std::span<const std::uint8_t> rgb) {
    std::vector<std::uint8_t> out;
    out.reserve(rgb.size() + height);
    const std::vector<std::uint8_t> blank(stride, 0);  // the row above the first
    std::vector<std::uint8_t> sub(stride), up(stride);
    for (std::size_t y = 0; y < height; ++y) {
        const auto row = rgb.subspan(y * stride, stride);
        const auto above = y == 0 ? std::span<const std::uint8_t>(blank) : rgb.subspan((y - 1) * stride, stride);
        std::uint64_t noneCost = 0, subCost = 0, upCost = 0;
        for (std::size_t x = 0; x < stride; ++x) {
            const std::uint8_t left = x >= kBytesPerPixel ? row[x - kBytesPerPixel] : 0;
            sub[x] = static_cast<std::uint8_t>(row[x] - left);
            up[x] = static_cast<std::uint8_t>(row[x] - above[x]);
            noneCost += Magnitude(row[x]);
            subCost += Magnitude(sub[x]);
            upCost += Magnitude(up[x]);
        }
        // Ties keep the filter that undoes with less work.
        if (noneCost <= upCost && noneCost <= subCost) {
            out.push_back(static_cast<std::uint8_t>(Filter::None));
            out.insert(out.end(), row.begin(), row.end());
        } else if (upCost <= subCost) {
            out.push_back(static_cast<std::uint8_t>(Filter::Up));
            out.insert(out.end(), up.begin(), up.end());
        } else {
            out.push_back(static_cast<std::uint8_t>(Filter::Sub));
            out.insert(out.end(), sub.begin(), sub.end());
        }
    }
    return out;
}

// Bounds the size of each IDAT chunk, so that no chunk comes near the format's 2^31 - 1 limit
// and a reader can check each one's CRC before the next arrives.
constexpr std::size_t kIdatPiece = 65536;

}  // namespace

std::uint32_t Crc32(std::span<const std::uint8_t> bytes) {
    std::uint32_t crc = 0xFFFFFFFFu;
    for (const std::uint8_t byte : bytes) crc = kCrcTable[(crc ^ byte) & 0xFFu] ^ (crc >> 8);
    return crc ^ 0xFFFFFFFFu;
}

std::uint32_t Adler32(std::span<const std::uint8_t> bytes) {
    constexpr std::uint32_t kModulus = 65521;
    // The longest run whose sums cannot overflow 32 bits before they are reduced.
    constexpr std::size_t kRun = 5552;
    std::uint32_t a = 1, b = 0;
    while (!bytes.empty()) {
        const auto run = bytes.first(std::min(kRun, bytes.size()));
        for (const std::uint8_t byte : run) {
            a += byte;
            b += a;
        }
        a %= kModulus;
        b %= kModulus;
        bytes = bytes.subspan(run.size());
    }
    return (b << 16) | a;
}

std::vector<std::uint8_t> ZlibCompress(std::span<const std::uint8_t> data) {
    // DEFLATE with a 32 KiB window; the second byte makes the pair a multiple of 31, as readers check.
    std::vector<std::uint8_t> out = {0x78, 0x01};
    BitWriter bits(out);
    bits.Put(1, 1);  // the last block
    bits.Put(1, 2);  // of fixed Huffman codes
    FixedHuffmanWriter writer(bits);
    RepeatFinder finder(data);
    std::size_t position = 0;
    while (position < data.size()) {
        const Repeat repeat = finder.Longest(position);
        if (repeat.length == 0) {
            writer.Symbol(data[position]);
            finder.Add(position);
            ++position;
        } else {
            writer.Match(repeat.length, repeat.distance);
            for (std::size_t i = 0; i < repeat.length; ++i) finder.Add(position + i);
            position += repeat.length;
        }
    }
    writer.Symbol(kEndOfBlock);
    bits.Flush();
    AppendBigEndian32(out, Adler32(data));
    return out;
}

std::vector<std::uint8_t> EncodePng(int width, int height, std::span<const std::uint8_t> rgb) {
    if (width <= 0 || height <= 0) throw std::invalid_argument("a PNG picture needs positive sides");
    const auto w = static_cast<std::uint64_t>(width);
    const auto h = static_cast<std::uint64_t>(height);
    if (rgb.size() != w * h * kBytesPerPixel) {
        throw std::invalid_argument("the pixel data does not match the picture's size");
    }
    const std::size_t stride = static_cast<std::size_t>(w) * kBytesPerPixel;
    const auto compressed = ZlibCompress(FilterRows(stride, static_cast<std::size_t>(h), rgb));

    std::vector<std::uint8_t> out = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
    std::vector<std::uint8_t> header;
    AppendBigEndian32(header, static_cast<std::uint32_t>(width));
    AppendBigEndian32(header, static_cast<std::uint32_t>(height));
    header.insert(header.end(), {
        8,  // bits per channel
        2,  // colour type: RGB
        0,  // compression: DEFLATE
        0,  // filtering: per row
        0,  // not interlaced
    });
    AppendChunk(out, "IHDR", header);
    const std::span<const std::uint8_t> stream(compressed);
    for (std::size_t offset = 0; offset < stream.size(); offset += kIdatPiece) {
        AppendChunk(out, "IDAT", stream.subspan(offset, std::min(kIdatPiece, stream.size() - offset)));
    }
    AppendChunk(out, "IEND", {});
    return out;
}

}  // namespace screenshot
