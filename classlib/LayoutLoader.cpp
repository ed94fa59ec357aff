#include "classlib/LayoutLoader.h"

#include "classlib/Exceptions.h"
#include "classlib/Form.h"
#include "classlib/GroupBox.h"
#include "classlib/LMDButton.h"
#include "classlib/Label.h"
#include "classlib/LayoutValues.h"
#include "classlib/Panel.h"

#include <cctype>
#include <memory>

namespace {

// The classes a layout may name.
std::unique_ptr<TWinControl> CreateControl(std::string_view className) {
    if (className == "TGroupBox") return std::make_unique<TGroupBox>();
    if (className == "TPanel") return std::make_unique<TPanel>();
    if (className == "TLabel") return std::make_unique<TLabel>();
    if (className == "TLMDButton") return std::make_unique<TLMDButton>();
    return nullptr;
}

}  // namespace

TNotifyEvent LayoutReader::Method(const core::LayoutProperty& property) {
    const std::string& name = classlib::IdentifierValue(property);
    TNotifyEvent method = m_form.MethodAddress(name);
    if (!method) throw EReadError("Method " + name + " does not exist");
    return method;
}

void LayoutReader::Read(const core::LayoutObject& root) {
    if (root.className != m_form.ClassName())
        throw EReadError("Error reading " + root.name + ": the layout is of a " + root.className + ", not of a " +
                         std::string(m_form.ClassName()));
    m_form.SetName(root.name);
    m_names.insert(root.name);
    ReadProperties(m_form, root);
    ReadChildren(m_form, root);
}

void LayoutReader::ReadProperties(TComponent& component, const core::LayoutObject& object) {
    for (const auto& property : object.properties) {
        try {
            component.ReadProperty(property, *this);
        } catch (const EReadError& e) {
            throw EReadError("Error reading " + object.name + "." + property.name + " (line " +
                             std::to_string(property.line) + "): " + e.Message());
        } catch (const EResNotFound& e) {
            throw EResNotFound("Error reading " + object.name + "." + property.name + ": " + e.Message());
        }
    }
}

void LayoutReader::ReadChildren(TWinControl& parent, const core::LayoutObject& object) {
    for (const auto& child : object.children) {
        const std::string where = "Error reading " + child.name + " (line " + std::to_string(child.line) + "): ";
        if (!parent.HoldsControls()) throw EReadError(where + object.name + " cannot hold controls");
        if (!m_names.insert(child.name).second)
            throw EReadError(where + "a component named " + child.name + " already exists");
        std::unique_ptr<TWinControl> created = CreateControl(child.className);
        if (!created) throw EReadError(where + "class " + child.className + " not found");
        TWinControl& control = *m_form.Own(std::move(created));
        control.SetName(child.name);
        control.SetParent(&parent);
        switch (m_form.BindComponent(child.name, &control)) {
        case BindResult::Bound: break;
        case BindResult::NoField:
            throw EReadError(where + "field " + m_form.Name() + "." + child.name + " does not exist");
        case BindResult::WrongClass:
            throw EReadError(where + "field " + m_form.Name() + "." + child.name + " is not a " + child.className);
        }
        ReadProperties(control, child);
        ReadChildren(control, child);
    }
}

void ReadLayoutResource(TForm& form) {
    std::string name(form.ClassName());
    for (char& c : name) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    const HMODULE module = ::GetModuleHandleW(nullptr);
    const HRSRC resource = ::FindResourceA(module, name.c_str(), MAKEINTRESOURCEA(10));
    const HGLOBAL loaded = resource ? ::LoadResource(module, resource) : nullptr;
    const void* bytes = loaded ? ::LockResource(loaded) : nullptr;
    if (!bytes) throw EResNotFound("Resource " + name + " not found");
    const std::string_view text(static_cast<const char*>(bytes), ::SizeofResource(module, resource));
    core::LayoutObject root;
    try {
        root = core::ParseLayout(text);
    } catch (const core::LayoutSyntaxError& e) {
        throw EReadError("Error reading " + name + ": " + e.what());
    }
    LayoutReader(form).Read(root);
}
