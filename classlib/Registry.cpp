#include "classlib/Registry.h"

#include "classlib/Exceptions.h"

#include "RegistryText.h"

namespace {

class KeyValue final : public core::RegistryValueSource {
public:
    KeyValue(HKEY key, const std::string& name) : m_key(key), m_name(name) {}

    std::optional<Info> QueryInfo() override {
        if (!m_key) return std::nullopt;
        DWORD type = 0, size = 0;
        if (::RegQueryValueExA(m_key, m_name.c_str(), nullptr, &type, nullptr, &size) != ERROR_SUCCESS)
            return std::nullopt;
        return Info{type, size};
    }

    std::optional<std::uint32_t> ReadData(std::span<std::byte> buffer) override {
        DWORD type = 0;
        auto size = static_cast<DWORD>(buffer.size());
        if (::RegQueryValueExA(m_key, m_name.c_str(), nullptr, &type, reinterpret_cast<BYTE*>(buffer.data()), &size) !=
            ERROR_SUCCESS)
            return std::nullopt;
        return type;
    }

private:
    HKEY m_key;
    const std::string& m_name;
};

}  // namespace

TRegistry::TRegistry(REGSAM access) : m_access(access) {}

bool TRegistry::OpenKey(const std::string& key) {
    HKEY opened = nullptr;
    const bool ok = ::RegOpenKeyExA(m_rootKey, key.c_str(), 0, m_access, &opened) == ERROR_SUCCESS;
    m_currentKey.reset(ok ? opened : nullptr);
    return ok;
}

std::string TRegistry::ReadString(const std::string& name) {
    KeyValue value(m_currentKey.get(), name);
    auto result = core::ReadRegistryText(value);
    switch (result.fault) {
    case core::RegistryTextFault::None:
        break;
    case core::RegistryTextFault::InvalidDataType:
        throw ERegistryException("Invalid data type for '" + name + "'");
    case core::RegistryTextFault::ReadFailed:
        throw ERegistryException("Failed to get data for '" + name + "'");
    }
    return std::move(result.text);
}
