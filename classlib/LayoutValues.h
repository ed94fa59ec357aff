// Typed access to the values of layout properties, each refused with a clear message when it is
// of the wrong kind or out of range.
#pragma once

#include "classlib/Exceptions.h"

#include "LayoutText.h"

#include <initializer_list>
#include <string>
#include <utility>

namespace classlib {

int IntegerValue(const core::LayoutProperty& property, int min, int max);
bool BooleanValue(const core::LayoutProperty& property);
std::string StringValue(const core::LayoutProperty& property);
const std::string& IdentifierValue(const core::LayoutProperty& property);
const std::vector<std::string>& SetValue(const core::LayoutProperty& property);

[[noreturn]] void InvalidValue(const core::LayoutProperty& property);

template <class T>
T NamedValue(const core::LayoutProperty& property, std::initializer_list<std::pair<const char*, T>> names) {
    const std::string& identifier = IdentifierValue(property);
    for (const auto& [name, value] : names)
        if (identifier == name) return value;
    InvalidValue(property);
}

}  // namespace classlib
