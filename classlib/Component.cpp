#include "classlib/Component.h"

#include "classlib/Exceptions.h"

TComponent::~TComponent() {
    while (!m_components.empty()) m_components.pop_back();
}

void TComponent::ReadProperty(const core::LayoutProperty& property, LayoutReader&) {
    throw EReadError("Property " + property.name + " does not exist");
}
