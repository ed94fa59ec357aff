// The published part of a form, written out: which component reference and which handler each
// name of the layout stands for. Explicit tables, so that a name the form lacks is an error.
#pragma once

#include "classlib/Form.h"

#include <span>
#include <string_view>

template <class Form>
struct PublishedField {
    std::string_view name;
    BindResult (*bind)(Form& form, TComponent* component);
};

template <class Form>
struct PublishedMethod {
    std::string_view name;
    void (Form::*method)(TObject* sender);
};

template <class M>
struct ReferenceMember;
template <class Form, class T>
struct ReferenceMember<T* Form::*> {
    using FormType = Form;
    using Type = T;
};

// Binds a component to the form's reference of that name, if it is of the reference's class.
template <auto Member>
BindResult BindField(typename ReferenceMember<decltype(Member)>::FormType& form, TComponent* component) {
    auto* typed = dynamic_cast<typename ReferenceMember<decltype(Member)>::Type*>(component);
    if (!typed) return BindResult::WrongClass;
    form.*Member = typed;
    return BindResult::Bound;
}

template <class Form>
BindResult BindByName(Form& form, std::span<const PublishedField<Form>> fields, std::string_view name,
                      TComponent* component) {
    for (const auto& field : fields)
        if (field.name == name) return field.bind(form, component);
    return BindResult::NoField;
}

template <class Form>
TNotifyEvent MethodByName(Form& form, std::span<const PublishedMethod<Form>> methods, std::string_view name) {
    for (const auto& entry : methods)
        if (entry.name == name) return [&form, method = entry.method](TObject* sender) { (form.*method)(sender); };
    return {};
}
