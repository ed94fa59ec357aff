#include "support/Resources.h"

#include <gtest/gtest.h>

#include <vector>

namespace e2e {

namespace {

// A resource type or name as it is given back to UpdateResource: a number, or a copy of the text.
struct Id {
    explicit Id(LPCWSTR id) {
        if (IS_INTRESOURCE(id)) number = reinterpret_cast<ULONG_PTR>(id);
        else text = id;
    }
    LPCWSTR Get() const { return text.empty() ? MAKEINTRESOURCEW(number) : text.c_str(); }
    bool operator==(const Id& other) const { return number == other.number && text == other.text; }
    ULONG_PTR number = 0;
    std::wstring text;
};

struct Entry {
    Id type, name;
    WORD language;
    std::string bytes;
};

struct Collector {
    HMODULE module;
    std::vector<Entry> entries;
};

BOOL CALLBACK OnLanguage(HMODULE module, LPCWSTR type, LPCWSTR name, WORD language, LONG_PTR parameter) {
    const HRSRC found = ::FindResourceExW(module, type, name, language);
    const void* data = ::LockResource(::LoadResource(module, found));
    const auto* bytes = static_cast<const char*>(data);
    reinterpret_cast<Collector*>(parameter)->entries.push_back(
        {Id(type), Id(name), language, std::string(bytes, bytes + ::SizeofResource(module, found))});
    return TRUE;
}

BOOL CALLBACK OnName(HMODULE module, LPCWSTR type, LPWSTR name, LONG_PTR parameter) {
    ::EnumResourceLanguagesW(module, type, name, &OnLanguage, parameter);
    return TRUE;
}

BOOL CALLBACK OnType(HMODULE module, LPWSTR type, LONG_PTR parameter) {
    ::EnumResourceNamesW(module, type, &OnName, parameter);
    return TRUE;
}

std::vector<Entry> AllResources(const std::wstring& program) {
    Collector collector{::LoadLibraryExW(program.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE), {}};
    EXPECT_TRUE(collector.module) << "cannot read " << ::testing::PrintToString(program);
    if (collector.module) {
        ::EnumResourceTypesW(collector.module, &OnType, reinterpret_cast<LONG_PTR>(&collector));
        ::FreeLibrary(collector.module);
    }
    return collector.entries;
}

void Update(const std::wstring& to, bool deleteAll, const std::vector<Entry>& entries) {
    const HANDLE update = ::BeginUpdateResourceW(to.c_str(), deleteAll);
    ASSERT_TRUE(update);
    for (const auto& e : entries)
        ASSERT_TRUE(::UpdateResourceW(update, e.type.Get(), e.name.Get(), e.language, const_cast<char*>(e.bytes.data()),
                                      static_cast<DWORD>(e.bytes.size())));
    ASSERT_TRUE(::EndUpdateResourceW(update, FALSE));
}

}  // namespace

void CopyWithResource(const std::wstring& from, const std::wstring& to, LPCWSTR type, LPCWSTR name,
                      const std::string& bytes) {
    ASSERT_TRUE(::CopyFileW(from.c_str(), to.c_str(), FALSE));
    WORD language = MAKELANGID(LANG_NEUTRAL, SUBLANG_NEUTRAL);
    for (const auto& e : AllResources(from))
        if (e.type == Id(type) && e.name == Id(name)) language = e.language;
    Update(to, false, {{Id(type), Id(name), language, bytes}});
}

void CopyWithoutResource(const std::wstring& from, const std::wstring& to, LPCWSTR type, LPCWSTR name) {
    ASSERT_TRUE(::CopyFileW(from.c_str(), to.c_str(), FALSE));
    std::vector<Entry> kept;
    bool found = false;
    for (auto& e : AllResources(from)) {
        if (e.type == Id(type) && e.name == Id(name)) found = true;
        else kept.push_back(std::move(e));
    }
    ASSERT_TRUE(found) << "the program has no such resource to take out";
    // Deleting one resource is not supported everywhere; all go, and the others come back.
    Update(to, true, kept);
}

std::string ResourceOf(const std::wstring& program, LPCWSTR type, LPCWSTR name) {
    for (const auto& e : AllResources(program))
        if (e.type == Id(type) && e.name == Id(name)) return e.bytes;
    ADD_FAILURE() << "no such resource";
    return {};
}

}  // namespace e2e
