#include "RegistryText.h"

#include <algorithm>
#include <vector>

namespace core {

RegistryText ReadRegistryText(RegistryValueSource& source) {
    const auto info = source.QueryInfo();
    if (!info || info->size == 0) return {};

    // Zero-filled, so data that shrank between the two questions still ends within the buffer.
    std::vector<std::byte> buffer(info->size);
    const auto type = source.ReadData(buffer);
    if (!type) return {{}, RegistryTextFault::ReadFailed};
    if (*type != kRegSz && *type != kRegExpandSz) return {{}, RegistryTextFault::InvalidDataType};

    const auto end = std::find(buffer.begin(), buffer.end(), std::byte{0});
    std::string text(static_cast<std::size_t>(end - buffer.begin()), '\0');
    std::transform(buffer.begin(), end, text.begin(), [](std::byte b) { return static_cast<char>(b); });
    return {std::move(text), RegistryTextFault::None};
}

}  // namespace core
