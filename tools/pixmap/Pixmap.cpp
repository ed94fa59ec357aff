// pixmap: the launcher's images are kept as text pictures so that a change to one shows in review.
//
// A source reads, line by line:
//
//     format icon8                 or bmp16, or bmp24
//     k = 40,24,16 outline         legend: one character, its R,G,B in 8-bit values, a name
//     . = transparent around       icon8 only, at most one such character
//     pixels
//     ...32 rows of 32 characters, the top row first...
//
// Blank lines and comment lines, whose first non-blank character is '#', may stand anywhere above
// `pixels`, which is why '#' cannot name a colour. Every legend character must appear in the
// picture, so the legend cannot keep describing colours that are gone. A trailing CR is dropped
// from every line, so a checkout with Windows line endings converts to the same bytes.
//
// icon8 writes a .ico holding one 8-bit image with a 256-entry palette: entry 0 is black, the
// legend's colours follow in order. A transparent pixel is entry 0 with its mask bit set, because
// the mask only removes pixels and whatever colour is left under it gets drawn onto the screen
// with XOR.
//
// bmp16 writes x-5-5-5 pixels. The legend still gives 8-bit values, the ones a screen shows for a
// 5-bit channel c, (c << 3) | (c >> 2): so white is 255,255,255 and 247,247,247 the step below it.
// Any other value is refused rather than rounded, since the glyph's button treats pixels of the
// bottom-left colour as transparent and a colour that silently rounded into it would vanish.
//
// bmp24 writes one B,G,R byte triple a pixel. The files need no row padding at this width.
#include "Pixmap.h"

#include <array>
#include <charconv>
#include <optional>

namespace pixmap {

SourceError::SourceError(int line, const std::string& what)
    : std::runtime_error("line " + std::to_string(line) + ": " + what), m_line(line) {}

namespace {

enum class Format { Icon8, Bmp16, Bmp24 };

struct Colour {
    std::uint8_t r = 0, g = 0, b = 0;
};

struct LegendEntry {
    char key = 0;
    std::optional<Colour> colour;  // empty for the transparent character
    int line = 0;
    bool used = false;
};

struct Picture {
    Format format = Format::Icon8;
    std::vector<LegendEntry> legend;
    std::array<std::array<std::size_t, kSide>, kSide> rows{};  // legend indices, top row first
};

std::string Describe(char c) {
    const auto byte = static_cast<unsigned char>(c);
    if (byte >= 0x21 && byte < 0x7F) return std::string("'") + c + "'";
    return "#" + std::to_string(byte);
}

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

std::vector<std::string_view> Words(std::string_view line) {
    std::vector<std::string_view> words;
    std::size_t pos = 0;
    while (pos < line.size()) {
        while (pos < line.size() && IsBlank(line[pos])) ++pos;
        const std::size_t start = pos;
        while (pos < line.size() && !IsBlank(line[pos])) ++pos;
        if (pos > start) words.push_back(line.substr(start, pos - start));
    }
    return words;
}

class Lines {
public:
    explicit Lines(std::string_view text) : m_text(text) {}

    // False once the text is used up; a final newline does not start another line.
    bool Next(std::string_view& line) {
        if (m_pos == m_text.size()) return false;
        const std::size_t end = m_text.find('\n', m_pos);
        const std::size_t stop = end == std::string_view::npos ? m_text.size() : end;
        line = m_text.substr(m_pos, stop - m_pos);
        if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
        m_pos = end == std::string_view::npos ? m_text.size() : end + 1;
        ++m_number;
        return true;
    }

    int Number() const { return m_number; }
    // Where a missing line was expected, once Next has returned false.
    int AfterLast() const { return m_number + 1; }

private:
    std::string_view m_text;
    std::size_t m_pos = 0;
    int m_number = 0;
};

bool IsComment(std::string_view line) {
    const auto words = Words(line);
    return words.empty() || words.front().front() == '#';
}

constexpr int Expand5(int channel) { return (channel << 3) | (channel >> 2); }

std::uint8_t Component(std::string_view text, Format format, int line) {
    int value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size())
        throw SourceError(line, "colour component '" + std::string(text) + "' is not a number");
    if (value < 0 || value > 255)
        throw SourceError(line, "colour component " + std::to_string(value) + " is out of range 0..255");
    if (format == Format::Bmp16 && Expand5(value >> 3) != value) {
        int below = 0;
        while (Expand5(below + 1) < value) ++below;
        throw SourceError(line, "bmp16 cannot show " + std::to_string(value) + " exactly; the nearest are " +
                                    std::to_string(Expand5(below)) + " and " + std::to_string(Expand5(below + 1)));
    }
    return static_cast<std::uint8_t>(value);
}

Colour ParseColour(const std::string_view written, Format format, int line) {
    std::string_view text = written;
    std::array<std::uint8_t, 3> parts{};
    for (std::size_t i = 0; i < parts.size(); ++i) {
        const std::size_t comma = text.find(',');
        const bool last = i + 1 == parts.size();
        if (last != (comma == std::string_view::npos))
            throw SourceError(line, "expected R,G,B or 'transparent', found '" + std::string(written) + "'");
        parts[i] = Component(text.substr(0, comma), format, line);
        if (!last) text.remove_prefix(comma + 1);
    }
    return {parts[0], parts[1], parts[2]};
}

Format ParseFormat(Lines& lines) {
    std::string_view line;
    while (lines.Next(line)) {
        if (IsComment(line)) continue;
        const auto words = Words(line);
        if (words.size() == 2 && words[0] == "format") {
            if (words[1] == "icon8") return Format::Icon8;
            if (words[1] == "bmp16") return Format::Bmp16;
            if (words[1] == "bmp24") return Format::Bmp24;
            throw SourceError(lines.Number(), "unknown format '" + std::string(words[1]) +
                                                  "'; expected icon8, bmp16 or bmp24");
        }
        throw SourceError(lines.Number(), "expected 'format icon8', 'format bmp16' or 'format bmp24' first");
    }
    throw SourceError(lines.AfterLast(), "expected 'format icon8', 'format bmp16' or 'format bmp24' first");
}

void ParseLegend(Lines& lines, Picture& picture) {
    std::string_view line;
    while (lines.Next(line)) {
        if (IsComment(line)) continue;
        const auto words = Words(line);
        if (words.size() == 1 && words[0] == "pixels") return;
        const int number = lines.Number();
        if (words.size() < 4 || words[1] != "=")
            throw SourceError(number, "expected 'C = R,G,B name', 'C = transparent name' or 'pixels'");
        // A reviewer has to see every pixel, so the characters are visible ASCII.
        if (words[0].size() != 1 || words[0][0] < 0x21 || words[0][0] > 0x7E)
            throw SourceError(number, "a colour is named by one visible ASCII character, not '" +
                                          std::string(words[0]) + "'");
        LegendEntry entry{words[0][0], std::nullopt, number, false};
        for (const auto& other : picture.legend)
            if (other.key == entry.key)
                throw SourceError(number, Describe(entry.key) + " is already in the legend on line " +
                                              std::to_string(other.line));
        if (words[2] == "transparent") {
            if (picture.format != Format::Icon8)
                throw SourceError(number, "only icon8 has transparent pixels; a bitmap's button takes its "
                                          "bottom-left colour for that");
            for (const auto& other : picture.legend)
                if (!other.colour)
                    throw SourceError(number, "the icon has a transparent character already, " + Describe(other.key));
        } else {
            entry.colour = ParseColour(words[2], picture.format, number);
        }
        picture.legend.push_back(entry);
    }
    throw SourceError(lines.AfterLast(), "no 'pixels' line after the legend");
}

void ParseRows(Lines& lines, Picture& picture) {
    std::array<std::size_t, 256> index{};
    constexpr std::size_t kUnknown = 0;
    for (std::size_t i = 0; i < picture.legend.size(); ++i)
        index[static_cast<unsigned char>(picture.legend[i].key)] = i + 1;

    int count = 0;
    int firstExtra = 0;
    std::string_view line;
    while (lines.Next(line)) {
        // Rows past the last are only counted, so the message can say how many there are.
        if (++count > kSide) {
            if (firstExtra == 0) firstExtra = lines.Number();
            continue;
        }
        if (line.size() != kSide)
            throw SourceError(lines.Number(), "a row has " + std::to_string(line.size()) +
                                                  " characters, expected " + std::to_string(kSide));
        for (int x = 0; x < kSide; ++x) {
            const std::size_t found = index[static_cast<unsigned char>(line[x])];
            if (found == kUnknown)
                throw SourceError(lines.Number(), "character " + Describe(line[x]) + " in column " +
                                                      std::to_string(x + 1) + " is not in the legend");
            picture.rows[count - 1][x] = found - 1;
            picture.legend[found - 1].used = true;
        }
    }
    if (count != kSide)
        throw SourceError(count < kSide ? lines.AfterLast() : firstExtra,
                          "expected " + std::to_string(kSide) + " rows after 'pixels', found " + std::to_string(count));
    for (const auto& entry : picture.legend)
        if (!entry.used) throw SourceError(entry.line, Describe(entry.key) + " is never used in the picture");
}

Picture Parse(std::string_view source) {
    Lines lines(source);
    Picture picture;
    picture.format = ParseFormat(lines);
    ParseLegend(lines, picture);
    ParseRows(lines, picture);
    return picture;
}

class Bytes {
public:
    void U8(std::uint32_t value) { m_bytes.push_back(static_cast<std::uint8_t>(value)); }
    void U16(std::uint32_t value) {
        U8(value & 0xFF);
        U8(value >> 8 & 0xFF);
    }
    void U32(std::uint32_t value) {
        U16(value & 0xFFFF);
        U16(value >> 16);
    }
    std::vector<std::uint8_t> Take() { return std::move(m_bytes); }

private:
    std::vector<std::uint8_t> m_bytes;
};

constexpr std::uint32_t kInfoHeaderSize = 40;
constexpr std::uint32_t kFileHeaderSize = 14;
constexpr std::uint32_t kPixels = kSide * kSide;

// The header that opens the image in both kinds of file. An icon's image counts its colour rows
// and mask rows together, so it gives twice the picture's height.
void InfoHeader(Bytes& out, std::uint32_t height, std::uint32_t bitsPerPixel, std::uint32_t imageSize) {
    out.U32(kInfoHeaderSize);
    out.U32(kSide);
    out.U32(height);
    out.U16(1);  // planes
    out.U16(bitsPerPixel);
    out.U32(0);  // uncompressed
    out.U32(imageSize);
    out.U32(0);  // no preferred resolution
    out.U32(0);
    out.U32(0);  // every palette entry counts
    out.U32(0);
}

std::vector<std::uint8_t> Icon(const Picture& picture) {
    constexpr std::uint32_t kPaletteSize = 256 * 4;
    constexpr std::uint32_t kMaskRowSize = kSide / 8;
    static_assert(kMaskRowSize % 4 == 0, "mask rows need no padding");
    constexpr std::uint32_t kImageSize = kPixels + kMaskRowSize * kSide;
    constexpr std::uint32_t kDirectorySize = 6 + 16;

    Bytes out;
    out.U16(0);
    out.U16(1);  // an icon, not a cursor
    out.U16(1);  // images in the file
    out.U8(kSide);
    out.U8(kSide);
    out.U8(0);  // 256 colours or more are counted as 0
    out.U8(0);  // reserved
    out.U16(1);  // planes
    out.U16(8);
    out.U32(kInfoHeaderSize + kPaletteSize + kImageSize);
    out.U32(kDirectorySize);  // the image follows the directory

    InfoHeader(out, 2 * kSide, 8, kImageSize);
    // At most 93 visible characters name colours, so they always fit after the black of entry 0.
    std::vector<std::uint32_t> paletteIndex;
    std::uint32_t used = 1;
    out.U32(0);
    for (const auto& entry : picture.legend) {
        paletteIndex.push_back(entry.colour ? used : 0);
        if (!entry.colour) continue;
        out.U8(entry.colour->b);
        out.U8(entry.colour->g);
        out.U8(entry.colour->r);
        out.U8(0);
        ++used;
    }
    for (; used < 256; ++used) out.U32(0);

    for (int y = kSide - 1; y >= 0; --y)
        for (int x = 0; x < kSide; ++x) out.U8(paletteIndex[picture.rows[y][x]]);
    for (int y = kSide - 1; y >= 0; --y)
        for (int byte = 0; byte < kSide / 8; ++byte) {
            std::uint32_t bits = 0;
            for (int bit = 0; bit < 8; ++bit)
                if (!picture.legend[picture.rows[y][byte * 8 + bit]].colour) bits |= 0x80u >> bit;
            out.U8(bits);
        }
    return out.Take();
}

std::vector<std::uint8_t> Bitmap(const Picture& picture) {
    const std::uint32_t bytesPerPixel = picture.format == Format::Bmp16 ? 2 : 3;
    static_assert(kSide * 2 % 4 == 0 && kSide * 3 % 4 == 0, "bitmap rows need no padding");
    const std::uint32_t imageSize = kPixels * bytesPerPixel;

    Bytes out;
    out.U8('B');
    out.U8('M');
    out.U32(kFileHeaderSize + kInfoHeaderSize + imageSize);
    out.U32(0);
    out.U32(kFileHeaderSize + kInfoHeaderSize);
    InfoHeader(out, kSide, bytesPerPixel * 8, imageSize);  // a positive height: bottom row first

    for (int y = kSide - 1; y >= 0; --y)
        for (int x = 0; x < kSide; ++x) {
            // Every legend entry of a bitmap has a colour: ParseLegend refuses 'transparent' there.
            const Colour colour = *picture.legend[picture.rows[y][x]].colour;
            if (picture.format == Format::Bmp16) {
                out.U16(static_cast<std::uint32_t>(colour.r >> 3 << 10 | colour.g >> 3 << 5 | colour.b >> 3));
            } else {
                out.U8(colour.b);
                out.U8(colour.g);
                out.U8(colour.r);
            }
        }
    return out.Take();
}

}  // namespace

std::vector<std::uint8_t> Convert(std::string_view source) {
    const Picture picture = Parse(source);
    return picture.format == Format::Icon8 ? Icon(picture) : Bitmap(picture);
}

}  // namespace pixmap
