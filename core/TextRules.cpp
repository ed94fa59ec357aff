#include "TextRules.h"

namespace core {

std::wstring ApplicationTitle(std::wstring_view modulePath, LowerCaseFn lowerCase) {
    const auto folderEnd = modulePath.find_last_of(L"\\:");
    std::wstring_view name = folderEnd == std::wstring_view::npos ? modulePath : modulePath.substr(folderEnd + 1);
    name = name.substr(0, name.find(L'.'));
    std::wstring title(name);
    if (title.size() > 1) lowerCase(title.data() + 1, title.size() - 1);
    return title;
}

std::string ExceptionBoxText(std::string_view message) {
    std::string text(message);
    if (!text.empty() && static_cast<unsigned char>(text.back()) > static_cast<unsigned char>('.')) text += '.';
    return text;
}

}  // namespace core
