// Copies of a built program with one resource replaced or taken out, to see how it copes.
#pragma once

#include <windows.h>

#include <string>

namespace e2e {

// The copy at `to` holds `bytes` in place of (or in addition to) the resource of that type and name.
void CopyWithResource(const std::wstring& from, const std::wstring& to, LPCWSTR type, LPCWSTR name,
                      const std::string& bytes);
// The copy at `to` lacks the resource of that type and name and keeps all the others.
void CopyWithoutResource(const std::wstring& from, const std::wstring& to, LPCWSTR type, LPCWSTR name);
// A resource of a built program, as bytes.
std::string ResourceOf(const std::wstring& program, LPCWSTR type, LPCWSTR name);

}  // namespace e2e
