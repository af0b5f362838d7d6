#include "FormLoader.h"

#include <map>

#include "Action.h"
#include "Form.h"
#include "LoadContext.h"
#include "StandardClasses.h"

namespace toolkit {

namespace {

std::map<std::string, ComponentFactory>& Factories() {
    static std::map<std::string, ComponentFactory> factories;
    return factories;
}

std::unique_ptr<TComponent> CreateComponent(const layout::Node& node) {
    RegisterStandardClasses();
    auto found = Factories().find(node.className);
    if (found == Factories().end()) throw layout::LayoutError(node.line, "unknown class " + node.className);
    return found->second();
}

}  // namespace

void RegisterComponentClass(const std::string& className, ComponentFactory factory) {
    Factories()[className] = std::move(factory);
}

std::string LoadLayoutResource(const char* resourceName) {
    HRSRC resource = FindResourceA(nullptr, resourceName, MAKEINTRESOURCEA(10) /* RT_RCDATA */);
    HGLOBAL loaded = resource ? LoadResource(nullptr, resource) : nullptr;
    const char* data = loaded ? static_cast<const char*>(LockResource(loaded)) : nullptr;
    if (!data) throw std::runtime_error(std::string("The layout ") + resourceName + " is missing from the program");
    return std::string(data, SizeofResource(nullptr, resource));
}

void FormLoader::Load(const layout::Node& root) {
    LoadContext context(form_);
    form_.name_ = root.name;
    form_.owner_ = &form_;
    for (const layout::Property& property : root.properties) form_.SetProperty(property, context);
    for (const layout::Node& child : root.children) LoadChild(child, form_, context);
    context.RunDeferred();
    for (const auto& component : form_.components_) component->Loaded();
    form_.Loaded();
    form_.CreateHandle();
}

void FormLoader::LoadChild(const layout::Node& node, TComponent& parent, LoadContext& context) {
    if (form_.FindComponent(node.name)) throw layout::LayoutError(node.line, "a second component named " + node.name);
    std::unique_ptr<TComponent> owned = CreateComponent(node);
    TComponent& component = *owned;
    component.name_ = node.name;
    component.owner_ = &form_;
    form_.components_.push_back(std::move(owned));

    auto* control = dynamic_cast<TControl*>(&component);
    auto* parentControl = dynamic_cast<TControl*>(&parent);
    auto* action = dynamic_cast<TAction*>(&component);
    auto* actionList = dynamic_cast<TActionList*>(&parent);
    if (control && parentControl) {
        control->parent_ = parentControl;
        parentControl->children_.push_back(control);
    } else if (action && actionList) {
        actionList->Add(action);
    } else if (&parent != &form_ || control || action) {
        throw layout::LayoutError(node.line, parent.Name() + " cannot hold " + node.name);
    }
    if (auto* list = dynamic_cast<TActionList*>(&component)) form_.actionLists_.push_back(list);

    for (const layout::Property& property : node.properties) component.SetProperty(property, context);
    for (const layout::Node& child : node.children) LoadChild(child, component, context);
}

}  // namespace toolkit
