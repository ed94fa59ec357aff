// Fuzz target: whatever the registry reports for a value (its type and size, then a read that may
// fail, deliver another type or fewer bytes), the decoded text keeps the decoding rules.
// Input layout: 4 bytes reported size (little-endian, kept below 64 KiB), 1 byte query flags,
// 4 bytes query type, 4 bytes read type, then the bytes the read delivers.
#include "RegistryText.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>

namespace {

std::uint32_t Word(const std::uint8_t* at) {
    return static_cast<std::uint32_t>(at[0]) | static_cast<std::uint32_t>(at[1]) << 8 |
           static_cast<std::uint32_t>(at[2]) << 16 | static_cast<std::uint32_t>(at[3]) << 24;
}

class Reported final : public core::RegistryValueSource {
public:
    Reported(bool found, bool readable, Info info, std::uint32_t readType, const std::uint8_t* bytes, std::size_t count)
        : m_found(found), m_readable(readable), m_info(info), m_readType(readType), m_bytes(bytes), m_count(count) {}

    std::optional<Info> QueryInfo() override { return m_found ? std::optional<Info>(m_info) : std::nullopt; }

    std::optional<std::uint32_t> ReadData(std::span<std::byte> buffer) override {
        if (!m_readable) return std::nullopt;
        std::memcpy(buffer.data(), m_bytes, std::min(buffer.size(), m_count));
        return m_readType;
    }

private:
    bool m_found, m_readable;
    Info m_info;
    std::uint32_t m_readType;
    const std::uint8_t* m_bytes;
    std::size_t m_count;
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 13) return 0;
    const std::uint32_t reported = Word(data) % 65536;
    const bool found = data[4] & 1, readable = data[4] & 2;
    const std::uint32_t queryType = Word(data + 5), readType = Word(data + 9);
    Reported value(found, readable, {queryType, reported}, readType, data + 13, size - 13);
    const core::RegistryText result = core::ReadRegistryText(value);

    const bool empty = !found || reported == 0;
    const bool isText = readType == core::kRegSz || readType == core::kRegExpandSz;
    const auto expectedFault = empty ? core::RegistryTextFault::None
                               : !readable ? core::RegistryTextFault::ReadFailed
                               : !isText   ? core::RegistryTextFault::InvalidDataType
                                           : core::RegistryTextFault::None;
    if (result.fault != expectedFault) std::abort();
    if (result.text.size() > reported) std::abort();
    if (result.text.find('\0') != std::string::npos) std::abort();
    if (result.fault != core::RegistryTextFault::None && !result.text.empty()) std::abort();
    // The text is the delivered bytes up to the first zero.
    if (!result.text.empty() && std::memcmp(result.text.data(), data + 13, result.text.size()) != 0) std::abort();
    return 0;
}
