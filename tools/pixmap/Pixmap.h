// Turns the text form of one of the launcher's images into the bytes of its .ico or .bmp file.
#pragma once

#include <cstdint>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace pixmap {

// Every picture is this many pixels wide and high: the size the launcher shows them at.
inline constexpr int kSide = 32;

class SourceError : public std::runtime_error {
public:
    SourceError(int line, const std::string& what);
    int Line() const { return m_line; }

private:
    int m_line;
};

// Returns the whole file the source's `format` line asks for; throws SourceError.
std::vector<std::uint8_t> Convert(std::string_view source);

}  // namespace pixmap
