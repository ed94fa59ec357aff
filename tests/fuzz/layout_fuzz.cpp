// Fuzz target: any text given to the layout reader either reads or is refused with a syntax error,
// and what it reads keeps the reader's promises.
#include "LayoutText.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

namespace {

void Check(const core::LayoutObject& object, int depth) {
    if (depth > core::kMaxLayoutDepth || object.name.empty() || object.className.empty()) std::abort();
    for (const auto& property : object.properties) {
        if (property.name.empty() || property.line < 1) std::abort();
        if (property.value.kind == core::LayoutValue::Kind::String &&
            property.value.text.find('\0') != std::string::npos)
            std::abort();
    }
    for (const auto& child : object.children) Check(child, depth + 1);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    try {
        Check(core::ParseLayout(std::string_view(reinterpret_cast<const char*>(data), size)), 1);
    } catch (const core::LayoutSyntaxError& e) {
        if (e.Line() < 1) std::abort();
    }
    return 0;
}
