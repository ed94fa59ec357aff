// Tests of the picture converter and of the launcher's committed images that it produced.
#include "Pixmap.h"

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <stdexcept>
#include <utility>

namespace {

using Bytes = std::vector<std::uint8_t>;

std::string ReadText(const char* path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) throw std::runtime_error(std::string("cannot open ") + path);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

Bytes ReadBytes(const char* path) {
    const std::string text = ReadText(path);
    return {text.begin(), text.end()};
}

std::uint32_t U16(const Bytes& file, std::size_t at) { return file.at(at) | file.at(at + 1) << 8; }
std::uint32_t U32(const Bytes& file, std::size_t at) { return U16(file, at) | U16(file, at + 2) << 16; }

// What a reader of the file finds, decoded here without help from the converter.
struct Decoded {
    std::uint32_t width = 0;
    std::int32_t height = 0;  // as the header gives it; a negative one would mean top row first
    std::uint32_t bitsPerPixel = 0;
    std::uint32_t compression = 0;
    std::vector<std::uint32_t> pixels;  // top row first: the 16-bit value, or 0xRRGGBB
    std::vector<bool> transparent;      // icons only

    std::uint32_t At(int x, int y) const { return pixels.at(static_cast<std::size_t>(y * pixmap::kSide + x)); }
};

// Reads the info header at `at` and the pixels stored from `pixelsAt` on, bottom row first; an
// icon's palette turns its pixels into colours, and its mask follows them.
Decoded DecodeRows(const Bytes& file, std::size_t at, std::size_t pixelsAt, const Bytes* palette) {
    Decoded image;
    if (U32(file, at) != 40) throw std::runtime_error("not a 40-byte info header");
    image.width = U32(file, at + 4);
    image.height = static_cast<std::int32_t>(U32(file, at + 8));
    image.bitsPerPixel = U16(file, at + 14);
    image.compression = U32(file, at + 16);
    const std::uint32_t stride = (image.width * image.bitsPerPixel + 31) / 32 * 4;
    const std::uint32_t rows = palette ? image.height / 2 : image.height;  // an icon counts its mask too
    for (std::uint32_t y = 0; y < rows; ++y)
        for (std::uint32_t x = 0; x < image.width; ++x) {
            const std::size_t p = pixelsAt + (rows - 1 - y) * stride + x * image.bitsPerPixel / 8;
            if (palette) {
                const std::size_t entry = file.at(p) * 4u;
                image.pixels.push_back(palette->at(entry + 2) << 16 | palette->at(entry + 1) << 8 | palette->at(entry));
            } else if (image.bitsPerPixel == 16) {
                image.pixels.push_back(U16(file, p));
            } else {
                image.pixels.push_back(file.at(p + 2) << 16 | file.at(p + 1) << 8 | file.at(p));
            }
        }
    if (palette) {
        const std::size_t maskAt = pixelsAt + rows * stride;
        const std::uint32_t maskStride = (image.width + 31) / 32 * 4;
        for (std::uint32_t y = 0; y < rows; ++y)
            for (std::uint32_t x = 0; x < image.width; ++x)
                image.transparent.push_back(file.at(maskAt + (rows - 1 - y) * maskStride + x / 8) & 0x80u >> x % 8);
    }
    return image;
}

Decoded DecodeBitmap(const Bytes& file) {
    if (file.size() < 54 || file[0] != 'B' || file[1] != 'M') throw std::runtime_error("not a bitmap file");
    if (U32(file, 2) != file.size()) throw std::runtime_error("the file header gives another size");
    return DecodeRows(file, 14, U32(file, 10), nullptr);
}

struct DecodedIcon {
    std::uint32_t images = 0;
    std::uint32_t width = 0, height = 0, bitsPerPixel = 0;  // from the directory entry
    std::uint32_t imageBytes = 0;
    Decoded image;
};

DecodedIcon DecodeIcon(const Bytes& file) {
    if (U16(file, 0) != 0 || U16(file, 2) != 1) throw std::runtime_error("not an icon file");
    DecodedIcon icon;
    icon.images = U16(file, 4);
    icon.width = file.at(6);
    icon.height = file.at(7);
    icon.bitsPerPixel = U16(file, 12);
    icon.imageBytes = U32(file, 14);
    const std::size_t at = U32(file, 18);
    if (at + icon.imageBytes != file.size()) throw std::runtime_error("the image does not end the file");
    const std::uint32_t paletteSize = U32(file, at + 32) ? U32(file, at + 32) : 1u << U16(file, at + 14);
    if (at + 40 + paletteSize * 4 > file.size()) throw std::runtime_error("the palette runs past the file");
    const Bytes palette(file.begin() + static_cast<std::ptrdiff_t>(at + 40),
                        file.begin() + static_cast<std::ptrdiff_t>(at + 40 + paletteSize * 4));
    icon.image = DecodeRows(file, at, at + 40 + paletteSize * 4, &palette);
    return icon;
}

// True when every pixel the predicate picks can be reached from the border through picked pixels:
// the background then only surrounds the picture and never shows through a hole inside it.
template <typename Picked>
bool OnlyAroundThePicture(Picked picked) {
    constexpr int n = pixmap::kSide;
    std::vector<bool> reached(n * n);
    std::vector<std::pair<int, int>> pending;
    for (int i = 0; i < n; ++i)
        pending.insert(pending.end(), {{i, 0}, {i, n - 1}, {0, i}, {n - 1, i}});
    while (!pending.empty()) {
        const auto [x, y] = pending.back();
        pending.pop_back();
        if (x < 0 || y < 0 || x >= n || y >= n || reached[y * n + x] || !picked(x, y)) continue;
        reached[y * n + x] = true;
        pending.insert(pending.end(), {{x + 1, y}, {x - 1, y}, {x, y + 1}, {x, y - 1}});
    }
    for (int y = 0; y < n; ++y)
        for (int x = 0; x < n; ++x)
            if (picked(x, y) && !reached[y * n + x]) return false;
    return true;
}

TEST(CommittedImages, AreExactlyWhatTheirSourcesConvertTo) {
    struct Case { const char* source; const char* binary; };
    const Case cases[] = {
        {MAINICON_SOURCE, MAINICON_BINARY},
        {TILE_SOURCE, TILE_BINARY},
        {CLOSE_SOURCE, CLOSE_BINARY},
    };
    for (const auto& c : cases)
        EXPECT_EQ(pixmap::Convert(ReadText(c.source)), ReadBytes(c.binary))
            << c.binary << " is stale: rebuild pixmap_images";
}

TEST(CommittedImages, IconIsOne8BitImageWithAMaskAndTransparentSurroundings) {
    const DecodedIcon icon = DecodeIcon(ReadBytes(MAINICON_BINARY));
    EXPECT_EQ(icon.images, 1u);
    EXPECT_EQ(icon.width, 32u);
    EXPECT_EQ(icon.height, 32u);
    EXPECT_EQ(icon.bitsPerPixel, 8u);
    EXPECT_EQ(icon.image.width, 32u);
    EXPECT_EQ(icon.image.height, 64);  // the colour rows and the mask rows
    EXPECT_EQ(icon.image.bitsPerPixel, 8u);
    EXPECT_EQ(icon.image.compression, 0u);
    EXPECT_EQ(icon.imageBytes, 40u + 256 * 4 + 32 * 32 + 32 * 4) << "a full palette, the colours and the mask";

    const auto transparent = [&](int x, int y) { return icon.image.transparent.at(y * 32 + x); };
    const std::pair<int, int> corners[] = {{0, 0}, {31, 0}, {0, 31}, {31, 31}};
    for (const auto& [x, y] : corners) {
        EXPECT_TRUE(transparent(x, y)) << x << "," << y;
        EXPECT_EQ(icon.image.At(x, y), 0u) << "a transparent pixel is drawn with XOR, so it has to be black";
    }
    EXPECT_TRUE(OnlyAroundThePicture(transparent));
}

TEST(CommittedImages, GlyphsAre32By32BottomUpWithTheBackgroundInTheCorner) {
    struct Case { const char* binary; std::uint32_t bitsPerPixel; std::uint32_t background; };
    const Case cases[] = {
        {TILE_BINARY, 16, 0x7FFF},
        {CLOSE_BINARY, 24, 0xF8F8F8},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.binary);
        const Decoded image = DecodeBitmap(ReadBytes(c.binary));
        EXPECT_EQ(image.width, 32u);
        EXPECT_EQ(image.height, 32);
        EXPECT_EQ(image.bitsPerPixel, c.bitsPerPixel);
        EXPECT_EQ(image.compression, 0u);
        ASSERT_EQ(image.pixels.size(), 32u * 32);
        // The button takes the bottom-left pixel's colour for transparent.
        EXPECT_EQ(image.At(0, 31), c.background);
        EXPECT_TRUE(OnlyAroundThePicture([&](int x, int y) { return image.At(x, y) == c.background; }))
            << "the background colour shows inside the picture, where it would turn transparent";
        if (c.bitsPerPixel == 16) {
            for (const std::uint32_t pixel : image.pixels)
                EXPECT_EQ(pixel & 0x8000, 0u) << "x-5-5-5 keeps its top bit clear";
        }
    }
}

std::string Source(const std::string& head, const std::string& topRow, char fill) {
    std::string text = head + "pixels\n" + topRow + "\n";
    for (int y = 1; y < pixmap::kSide; ++y) text += std::string(pixmap::kSide, fill) + "\n";
    return text;
}

TEST(Convert, PutsEachCharacterAtItsPixelInTheFormatsColours) {
    struct Case { const char* head; std::uint32_t marker; std::uint32_t background; };
    const Case cases[] = {
        {"format bmp16\nm = 8,16,24 marker\nw = 255,255,255 background\n", 1 << 10 | 2 << 5 | 3, 0x7FFF},
        {"format bmp24\nm = 1,2,3 marker\nw = 250,251,252 background\n", 0x010203, 0xFAFBFC},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.head);
        const Decoded image = DecodeBitmap(pixmap::Convert(Source(c.head, "wwwm" + std::string(28, 'w'), 'w')));
        EXPECT_EQ(image.At(3, 0), c.marker);
        EXPECT_EQ(image.At(2, 0), c.background);
        EXPECT_EQ(image.At(3, 1), c.background);
        EXPECT_EQ(image.At(0, 31), c.background);
    }
}

TEST(Convert, GivesTheIconsTransparentPixelsAMaskBitOverBlack) {
    const std::string head = "format icon8\n. = transparent around\na = 10,20,30 first\nb = 40,50,60 second\n";
    const DecodedIcon icon = DecodeIcon(pixmap::Convert(Source(head, ".ab" + std::string(29, '.'), 'b')));
    const Decoded& image = icon.image;
    EXPECT_TRUE(image.transparent.at(0));
    EXPECT_EQ(image.At(0, 0), 0u);
    EXPECT_FALSE(image.transparent.at(1));
    EXPECT_EQ(image.At(1, 0), 0x0A141Eu);
    EXPECT_FALSE(image.transparent.at(2));
    EXPECT_EQ(image.At(2, 0), 0x28323Cu);
    EXPECT_TRUE(image.transparent.at(31));
    EXPECT_FALSE(image.transparent.at(32));
    EXPECT_EQ(image.At(0, 31), 0x28323Cu);
}

TEST(Convert, IgnoresCommentsBlankLinesAndWindowsLineEndings) {
    const std::string plain = Source("format bmp24\nw = 1,2,3 background\n", std::string(32, 'w'), 'w');
    std::string windows = "# a comment\r\n\r\n";
    for (const char c : plain) windows += c == '\n' ? std::string("\r\n") : std::string(1, c);
    windows.insert(windows.find("pixels"), "  # an indented comment\r\n\t\r\n");
    EXPECT_EQ(pixmap::Convert(windows), pixmap::Convert(plain));
}

TEST(Convert, RefusesMalformedSourcesWithTheLineOfTheFault) {
    const std::string row(32, 'w');
    const std::string bmp = "format bmp24\nw = 255,255,255 background\n";
    const std::string picture = Source(bmp, row, 'w');
    std::string tabbed = picture;
    tabbed[tabbed.find("pixels\n") + 7 + 4] = '\t';

    struct Case { std::string text; int line; const char* fragment; };
    const Case cases[] = {
        {"", 1, "expected 'format icon8', 'format bmp16' or 'format bmp24' first"},
        {"# only a comment\nw = 1,2,3 white\n", 2, "expected 'format icon8'"},
        {"format png\n", 1, "unknown format 'png'; expected icon8, bmp16 or bmp24"},
        {"format bmp24\nw = 255,255,255 background\n", 3, "no 'pixels' line after the legend"},
        {Source("format bmp24\nw 255,255,255 background\n", row, 'w'), 2, "expected 'C = R,G,B name'"},
        {Source("format bmp24\nw = 255,255,255\n", row, 'w'), 2, "expected 'C = R,G,B name'"},
        {Source("format bmp24\nww = 255,255,255 background\n", row, 'w'), 2, "one visible ASCII character, not 'ww'"},
        {Source("format bmp24\n\xE9 = 255,255,255 background\n", row, 'w'), 2, "one visible ASCII character"},
        {Source(bmp + "w = 0,0,0 again\n", row, 'w'), 3, "'w' is already in the legend on line 2"},
        {Source("format bmp24\nw = 255,255 background\n", row, 'w'), 2,
         "expected R,G,B or 'transparent', found '255,255'"},
        {Source("format bmp24\nw = 1,2,3,4 background\n", row, 'w'), 2, "found '1,2,3,4'"},
        {Source("format bmp24\nw = 1,,3 background\n", row, 'w'), 2, "colour component '' is not a number"},
        {Source("format bmp24\nw = 1,2,3x background\n", row, 'w'), 2, "colour component '3x' is not a number"},
        {Source("format bmp24\nw = 1,256,3 background\n", row, 'w'), 2, "colour component 256 is out of range 0..255"},
        {Source("format bmp24\nw = -1,2,3 background\n", row, 'w'), 2, "colour component -1 is out of range"},
        {Source("format bmp16\nw = 100,0,0 background\n", row, 'w'), 2,
         "bmp16 cannot show 100 exactly; the nearest are 99 and 107"},
        {Source("format bmp16\nw = 0,0,250 background\n", row, 'w'), 2, "the nearest are 247 and 255"},
        {Source("format bmp16\nw = 0,8,248 background\n", row, 'w'), 2, "bmp16 cannot show 248"},
        {Source(bmp + ". = transparent around\n", row, 'w'), 3, "only icon8 has transparent pixels"},
        {Source("format icon8\n. = transparent around\n, = transparent too\n", row, '.'), 3,
         "the icon has a transparent character already, '.'"},
        {picture.substr(0, picture.rfind(row)), 35, "expected 32 rows after 'pixels', found 31"},
        {picture + row + "\n" + row + "\n", 36, "expected 32 rows after 'pixels', found 34"},
        {picture + "\n", 36, "found 33"},
        {Source(bmp, row.substr(1), 'w'), 4, "a row has 31 characters, expected 32"},
        {Source(bmp, row + "w", 'w'), 4, "a row has 33 characters"},
        {Source(bmp, "wwwwx" + row.substr(5), 'w'), 4, "character 'x' in column 5 is not in the legend"},
        {tabbed, 4, "character #9 in column 5 is not in the legend"},
        {Source(bmp + "k = 0,0,0 outline\n", row, 'w'), 3, "'k' is never used in the picture"},
    };
    for (const auto& c : cases) {
        try {
            pixmap::Convert(c.text);
            ADD_FAILURE() << "accepted:\n" << c.text;
        } catch (const pixmap::SourceError& error) {
            EXPECT_EQ(error.Line(), c.line) << error.what();
            EXPECT_NE(std::string(error.what()).find(c.fragment), std::string::npos)
                << error.what() << "\nlacks: " << c.fragment;
        }
    }
}

}  // namespace
