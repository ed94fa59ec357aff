#include "support/Scale.h"

namespace e2e {

int MeasuredTextHeight() {
    const HDC screen = ::GetDC(nullptr);
    const int pixelsPerInch = ::GetDeviceCaps(screen, LOGPIXELSY);
    const HFONT font = ::CreateFontW(::MulDiv(-11, pixelsPerInch, 96), 0, 0, 0, FW_NORMAL, 0, 0, 0, EASTEUROPE_CHARSET,
                                     0, 0, 0, 0, L"Arial");
    const HGDIOBJ previous = ::SelectObject(screen, font);
    SIZE size{};
    ::GetTextExtentPoint32W(screen, L"0", 1, &size);
    ::SelectObject(screen, previous);
    ::DeleteObject(font);
    ::ReleaseDC(nullptr, screen);
    return size.cy;
}

int Scaled(int value) {
    static const int measured = MeasuredTextHeight();
    return ::MulDiv(value, measured, 14);
}

TestFont::TestFont(const wchar_t* face, int layoutHeight, int weight, int charset)
    : m_font(::CreateFontW(Scaled(layoutHeight), 0, 0, 0, weight, 0, 0, 0, static_cast<BYTE>(charset), 0, 0, 0, 0,
                           face)) {}

TestFont::~TestFont() { ::DeleteObject(m_font); }

SIZE TestFont::Extent(const std::wstring& text) const {
    const HDC screen = ::GetDC(nullptr);
    const HGDIOBJ previous = ::SelectObject(screen, m_font);
    RECT rect{};
    ::DrawTextW(screen, text.c_str(), -1, &rect, DT_LEFT | DT_SINGLELINE | DT_NOPREFIX | DT_CALCRECT);
    ::SelectObject(screen, previous);
    ::ReleaseDC(nullptr, screen);
    return {rect.right, rect.bottom};
}

std::wstring From1250(std::string_view text) {
    std::wstring wide(text.size(), L'\0');
    const int length = ::MultiByteToWideChar(1250, 0, text.data(), static_cast<int>(text.size()), wide.data(),
                                             static_cast<int>(wide.size()));
    wide.resize(static_cast<std::size_t>(length));
    return wide;
}

}  // namespace e2e
