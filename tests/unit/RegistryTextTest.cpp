#include "RegistryText.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>

namespace {

using core::RegistryTextFault;
using core::RegistryValueSource;

constexpr std::uint32_t kNone = 0, kSz = 1, kExpandSz = 2, kBinary = 3, kDword = 4, kMultiSz = 7, kQword = 11;

// A value as the registry reports it: what the size query says, then what the read delivers.
class FakeValue final : public RegistryValueSource {
public:
    FakeValue(std::optional<Info> info, std::optional<std::uint32_t> readType, std::string delivered)
        : m_info(info), m_readType(readType), m_delivered(std::move(delivered)) {}

    std::optional<Info> QueryInfo() override { return m_info; }

    std::optional<std::uint32_t> ReadData(std::span<std::byte> buffer) override {
        if (!m_readType) return std::nullopt;
        std::memcpy(buffer.data(), m_delivered.data(), std::min(buffer.size(), m_delivered.size()));
        return m_readType;
    }

private:
    std::optional<Info> m_info;
    std::optional<std::uint32_t> m_readType;
    std::string m_delivered;
};

struct Case {
    const char* what;
    std::optional<RegistryValueSource::Info> info;
    std::optional<std::uint32_t> readType;
    std::string delivered;
    std::string text;
    RegistryTextFault fault;
};

using namespace std::string_literals;

TEST(ReadRegistryText, DecodesByTypeSizeAndBytes) {
    const Case cases[] = {
        {"no key or no value", std::nullopt, kSz, "", "", RegistryTextFault::None},
        {"zero-length text", {{kSz, 0}}, kSz, "", "", RegistryTextFault::None},
        {"zero-length number", {{kDword, 0}}, kDword, "", "", RegistryTextFault::None},
        {"zero-length list", {{kMultiSz, 0}}, kMultiSz, "", "", RegistryTextFault::None},
        {"zero-length untyped", {{kNone, 0}}, kNone, "", "", RegistryTextFault::None},
        {"lone zero byte", {{kSz, 1}}, kSz, "\0"s, "", RegistryTextFault::None},
        {"folder with separator", {{kSz, 15}}, kSz, "C:\\Data\\Store\\\0"s, "C:\\Data\\Store\\",
         RegistryTextFault::None},
        {"zero byte in the middle", {{kSz, 9}}, kSz, "C:\\A\0B\\\0"s, "C:\\A", RegistryTextFault::None},
        {"no terminator: never longer than the size", {{kSz, 7}}, kSz, "C:\\Data", "C:\\Data",
         RegistryTextFault::None},
        {"expandable text taken literally", {{kExpandSz, 8}}, kExpandSz, "%TEMP%\\\0"s, "%TEMP%\\",
         RegistryTextFault::None},
        {"number with data", {{kDword, 4}}, kDword, "\x01\0\0\0"s, "", RegistryTextFault::InvalidDataType},
        {"64-bit number", {{kQword, 8}}, kQword, "\x01\0\0\0\0\0\0\0"s, "", RegistryTextFault::InvalidDataType},
        {"list of texts", {{kMultiSz, 5}}, kMultiSz, "a\0b\0\0"s, "", RegistryTextFault::InvalidDataType},
        {"binary", {{kBinary, 3}}, kBinary, "abc", "", RegistryTextFault::InvalidDataType},
        {"read fails after the size query", {{kSz, 4}}, std::nullopt, "", "", RegistryTextFault::ReadFailed},
        {"type read with the data counts", {{kDword, 4}}, kSz, "abc\0"s, "abc", RegistryTextFault::None},
        {"became a number meanwhile", {{kSz, 4}}, kDword, "\x01\0\0\0"s, "", RegistryTextFault::InvalidDataType},
        {"shrank meanwhile", {{kSz, 10}}, kSz, "abc", "abc", RegistryTextFault::None},
    };
    for (const auto& c : cases) {
        FakeValue value(c.info, c.readType, c.delivered);
        const auto result = core::ReadRegistryText(value);
        EXPECT_EQ(result.text, c.text) << c.what;
        EXPECT_EQ(result.fault, c.fault) << c.what;
    }
}

}  // namespace
