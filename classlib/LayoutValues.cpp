#include "classlib/LayoutValues.h"

namespace classlib {

namespace {

const char* KindName(core::LayoutValue::Kind kind) {
    switch (kind) {
    case core::LayoutValue::Kind::Integer: return "an integer";
    case core::LayoutValue::Kind::Identifier: return "a name";
    case core::LayoutValue::Kind::String: return "a string";
    case core::LayoutValue::Kind::Set: return "a set";
    }
    return "a value";
}

void ExpectKind(const core::LayoutProperty& property, core::LayoutValue::Kind kind) {
    if (property.value.kind != kind)
        throw EReadError(std::string("Invalid property value: expected ") + KindName(kind) + ", found " +
                         KindName(property.value.kind));
}

}  // namespace

void InvalidValue(const core::LayoutProperty& property) {
    const auto& value = property.value;
    std::string shown;
    switch (value.kind) {
    case core::LayoutValue::Kind::Integer: shown = std::to_string(value.integer); break;
    case core::LayoutValue::Kind::Identifier: shown = value.text; break;
    case core::LayoutValue::Kind::String: shown = "'" + value.text + "'"; break;
    case core::LayoutValue::Kind::Set: shown = "[...]"; break;
    }
    throw EReadError("Invalid property value " + shown);
}

int IntegerValue(const core::LayoutProperty& property, int min, int max) {
    ExpectKind(property, core::LayoutValue::Kind::Integer);
    const int value = property.value.integer;
    if (value < min || value > max)
        throw EReadError("Invalid property value " + std::to_string(value) + ": must be " + std::to_string(min) +
                         " to " + std::to_string(max));
    return value;
}

bool BooleanValue(const core::LayoutProperty& property) {
    return NamedValue<bool>(property, {{"True", true}, {"False", false}});
}

std::string StringValue(const core::LayoutProperty& property) {
    ExpectKind(property, core::LayoutValue::Kind::String);
    return property.value.text;
}

const std::string& IdentifierValue(const core::LayoutProperty& property) {
    ExpectKind(property, core::LayoutValue::Kind::Identifier);
    return property.value.text;
}

const std::vector<std::string>& SetValue(const core::LayoutProperty& property) {
    ExpectKind(property, core::LayoutValue::Kind::Set);
    return property.value.items;
}

}  // namespace classlib
