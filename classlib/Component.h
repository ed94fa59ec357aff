// The root of the class library's objects: a component has a name, owns the components given to
// it and destroys them, newest first, when it goes.
#pragma once

#include "LayoutText.h"

#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

class TObject {
public:
    virtual ~TObject() = default;
};

using TNotifyEvent = std::function<void(TObject* sender)>;

class LayoutReader;

class TComponent : public TObject {
public:
    TComponent() = default;
    ~TComponent() override;
    TComponent(const TComponent&) = delete;
    TComponent& operator=(const TComponent&) = delete;

    // The class name the layout uses for this kind of component.
    virtual std::string_view ClassName() const = 0;
    const std::string& Name() const { return m_name; }
    void SetName(std::string name) { m_name = std::move(name); }

    // Takes a component over; it is destroyed with this one.
    template <class T>
    T* Own(std::unique_ptr<T> component) {
        T* raw = component.get();
        m_components.push_back(std::move(component));
        return raw;
    }

    // One property line of the layout; throws EReadError for a name or value it does not take.
    virtual void ReadProperty(const core::LayoutProperty& property, LayoutReader& reader);

private:
    std::string m_name;
    std::vector<std::unique_ptr<TComponent>> m_components;
};
