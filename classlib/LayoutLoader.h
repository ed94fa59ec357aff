// Building a form from its layout resource: the text read, the components created in layout
// order, their properties set, and the form's references and handlers bound by name.
#pragma once

#include "classlib/Component.h"

#include "LayoutText.h"

#include <set>
#include <string>

class TForm;
class TWinControl;

// What a component needs from the reader while it takes its properties.
class LayoutReader {
public:
    explicit LayoutReader(TForm& form) : m_form(form) {}
    // The form's handler that an event property names; throws EReadError when it has none.
    TNotifyEvent Method(const core::LayoutProperty& property);
    void Read(const core::LayoutObject& root);

private:
    void ReadProperties(TComponent& component, const core::LayoutObject& object);
    void ReadChildren(TWinControl& parent, const core::LayoutObject& object);

    TForm& m_form;
    std::set<std::string> m_names;
};

// Reads the RCDATA resource named after the form's class, in capitals; throws EResNotFound or
// EReadError.
void ReadLayoutResource(TForm& form);
