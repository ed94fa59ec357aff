// A button's picture: a bitmap resource whose bottom-left pixel gives the colour not drawn.
#pragma once

#include "classlib/Handles.h"

#include <string>

class TGlyph {
public:
    // Throws EResNotFound when there is no such bitmap, EReadError when it cannot be used.
    void LoadFromResource(const std::string& name);
    bool Empty() const { return !m_image; }
    int Width() const { return m_width; }
    int Height() const { return m_height; }
    // Pixels of the transparent colour leave what is under them.
    void Draw(HDC dc, int x, int y) const;

private:
    classlib::UniqueBitmap m_image;  // the transparent pixels made black
    classlib::UniqueBitmap m_mask;   // white where transparent
    int m_width = 0;
    int m_height = 0;
};
