// Builds a form's components from its parsed layout: creates each by class name, hands it
// its properties, links the references between components, then makes the windows.
#pragma once

#include <functional>
#include <memory>
#include <string>

#include "LayoutText.h"

namespace toolkit {

class TComponent;
class TForm;
class LoadContext;

class FormLoader {
public:
    explicit FormLoader(TForm& form) : form_(form) {}
    void Load(const layout::Node& root);

private:
    void LoadChild(const layout::Node& node, TComponent& parent, LoadContext& context);
    TForm& form_;
};

// Makes a component of a class that layouts can name.
using ComponentFactory = std::function<std::unique_ptr<TComponent>()>;
void RegisterComponentClass(const std::string& className, ComponentFactory factory);

// The text of a layout compiled into the program as an RCDATA resource.
std::string LoadLayoutResource(const char* resourceName);

}  // namespace toolkit
