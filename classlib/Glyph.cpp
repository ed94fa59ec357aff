#include "classlib/Glyph.h"

#include "classlib/Exceptions.h"
#include "classlib/Text.h"

#include <vector>

namespace {

constexpr int kLargestGlyph = 1024;

BITMAPINFO TopDown32(int width, int height) {
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    return info;
}

}  // namespace

void TGlyph::LoadFromResource(const std::string& name) {
    const std::wstring wideName = classlib::FromWindows1250(name);
    const HINSTANCE instance = ::GetModuleHandleW(nullptr);
    if (!::FindResourceW(instance, wideName.c_str(), MAKEINTRESOURCEW(2)))
        throw EResNotFound("Bitmap " + name + " not found");
    const classlib::UniqueBitmap loaded(static_cast<HBITMAP>(
        ::LoadImageW(instance, wideName.c_str(), IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION)));
    BITMAP header{};
    if (!loaded || !::GetObjectW(loaded.get(), sizeof header, &header) || header.bmWidth <= 0 ||
        header.bmHeight <= 0 || header.bmWidth > kLargestGlyph || header.bmHeight > kLargestGlyph)
        throw EReadError("Bitmap " + name + " is not a usable bitmap");
    const int width = header.bmWidth;
    const int height = header.bmHeight;

    // Read as 32-bit pixels whatever the stored depth, so the transparent colour compares exactly.
    std::vector<std::uint32_t> pixels(static_cast<std::size_t>(width) * height);
    BITMAPINFO info = TopDown32(width, height);
    {
        classlib::ScreenDc screen;
        if (::GetDIBits(screen.Get(), loaded.get(), 0, static_cast<UINT>(height), pixels.data(), &info,
                        DIB_RGB_COLORS) != height)
            throw EReadError("Bitmap " + name + " is not a usable bitmap");
    }
    const std::uint32_t transparent = pixels[static_cast<std::size_t>(height - 1) * width] & 0xFFFFFF;

    // Mask rows are padded to 16 bits, as monochrome bitmaps want.
    const int maskStride = (width + 15) / 16 * 2;
    std::vector<std::uint8_t> maskBits(static_cast<std::size_t>(maskStride) * height, 0);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            std::uint32_t& pixel = pixels[static_cast<std::size_t>(y) * width + x];
            if ((pixel & 0xFFFFFF) == transparent) {
                pixel = 0;
                maskBits[static_cast<std::size_t>(y) * maskStride + x / 8] |= static_cast<std::uint8_t>(0x80 >> (x % 8));
            }
        }
    }

    void* imageBits = nullptr;
    classlib::UniqueBitmap image(::CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &imageBits, nullptr, 0));
    classlib::UniqueBitmap mask(::CreateBitmap(width, height, 1, 1, maskBits.data()));
    if (!image || !mask) throw EOSError("CreateBitmap", ::GetLastError());
    std::copy(pixels.begin(), pixels.end(), static_cast<std::uint32_t*>(imageBits));
    m_image = std::move(image);
    m_mask = std::move(mask);
    m_width = width;
    m_height = height;
}

void TGlyph::Draw(HDC dc, int x, int y) const {
    if (!m_image) return;
    const classlib::UniqueMemoryDc memory(::CreateCompatibleDC(dc));
    if (!memory) return;
    // The mask clears the opaque pixels to black, then the picture is ORed into them.
    const COLORREF text = ::SetTextColor(dc, RGB(0, 0, 0));
    const COLORREF back = ::SetBkColor(dc, RGB(255, 255, 255));
    {
        classlib::SelectedObject selected(memory.get(), m_mask.get());
        ::BitBlt(dc, x, y, m_width, m_height, memory.get(), 0, 0, SRCAND);
    }
    {
        classlib::SelectedObject selected(memory.get(), m_image.get());
        ::BitBlt(dc, x, y, m_width, m_height, memory.get(), 0, 0, SRCPAINT);
    }
    ::SetTextColor(dc, text);
    ::SetBkColor(dc, back);
}
