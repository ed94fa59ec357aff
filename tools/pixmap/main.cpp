// pixmap SOURCE.txt OUTPUT: writes the .ico or .bmp that a text picture describes.
#include "Pixmap.h"

#include <fstream>
#include <iostream>
#include <iterator>
#include <string>

int main(int argc, char** argv) {
    if (argc != 3) {
        std::cerr << "usage: pixmap SOURCE.txt OUTPUT\n";
        return 2;
    }
    std::ifstream in(argv[1], std::ios::binary);
    if (!in) {
        std::cerr << argv[1] << ": cannot be opened\n";
        return 1;
    }
    const std::string source{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    std::vector<std::uint8_t> bytes;
    try {
        bytes = pixmap::Convert(source);
    } catch (const pixmap::SourceError& error) {
        std::cerr << argv[1] << ": " << error.what() << '\n';
        return 1;
    }
    // Converted before the output is opened, so a faulty source leaves the old file as it was.
    std::ofstream out(argv[2], std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    out.close();
    if (!out) {
        std::cerr << argv[2] << ": cannot be written\n";
        return 1;
    }
    return 0;
}
