// The base of everything a form is made of. Components are owned by their form, named as
// the layout names them, and configured from the layout's properties.
#pragma once

#include <functional>
#include <string>

#include "LayoutText.h"

namespace toolkit {

class TComponent;
class TForm;
class LoadContext;

// An event with the component that raised it.
using TNotifyEvent = std::function<void(TComponent* sender)>;

class TComponent {
public:
    virtual ~TComponent() = default;

    const std::string& Name() const { return name_; }
    TForm* OwnerForm() const { return owner_; }

    // Takes one property from the layout; raises layout::LayoutError for one it does not know.
    virtual void SetProperty(const layout::Property& property, LoadContext& context);
    // Called once all components of the form exist and have their properties.
    virtual void Loaded() {}

private:
    friend class FormLoader;
    std::string name_;
    TForm* owner_ = nullptr;
};

}  // namespace toolkit
