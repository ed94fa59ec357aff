// How a registry value becomes the text a registry object reads: which sizes count as empty,
// which types count as text, where the text ends.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>

namespace core {

inline constexpr std::uint32_t kRegSz = 1;
inline constexpr std::uint32_t kRegExpandSz = 2;

enum class RegistryTextFault {
    None,
    InvalidDataType,  // data of a type that is not text
    ReadFailed,       // the data could not be read after its size was known
};

struct RegistryText {
    std::string text;
    RegistryTextFault fault = RegistryTextFault::None;
};

// The two questions put to the registry about one value of the current key.
class RegistryValueSource {
public:
    struct Info {
        std::uint32_t type = 0;
        std::uint32_t size = 0;
    };
    // Type and data size; nothing when no key is open, the value is missing or the query fails.
    virtual std::optional<Info> QueryInfo() = 0;
    // Fills the buffer with the data and gives the type reported with it; nothing on failure.
    virtual std::optional<std::uint32_t> ReadData(std::span<std::byte> buffer) = 0;

protected:
    ~RegistryValueSource() = default;
};

RegistryText ReadRegistryText(RegistryValueSource& source);

}  // namespace core
