// The registry class: one root key, at most one open key, values read as text.
#pragma once

#include "classlib/Handles.h"

#include <string>

class TRegistry {
public:
    // Keys are opened with the given rights below HKEY_CURRENT_USER.
    explicit TRegistry(REGSAM access);
    TRegistry(const TRegistry&) = delete;
    TRegistry& operator=(const TRegistry&) = delete;

    // Opens an existing key, never creating it; on failure no key is current.
    bool OpenKey(const std::string& key);

    // The value as text: empty when there is no current key, no such value or no data; throws
    // ERegistryException for data that is not text or that cannot be read.
    std::string ReadString(const std::string& name);

private:
    HKEY m_rootKey = HKEY_CURRENT_USER;
    REGSAM m_access;
    classlib::UniqueKey m_currentKey;
};
