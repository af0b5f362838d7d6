#include "LoadContext.h"

#include "Form.h"

namespace toolkit {

namespace {

const layout::Item& ItemAt(const layout::Property& property, std::size_t index, layout::Item::Kind kind) {
    if (index >= property.items.size() || property.items[index].kind != kind)
        throw layout::LayoutError(property.line, "wrong value for " + property.name);
    return property.items[index];
}

}  // namespace

TNotifyEvent LoadContext::Handler(const layout::Property& property) const {
    std::string name = IdentifierValue(property);
    TNotifyEvent handler = form_.FindHandler(name);
    if (!handler) throw layout::LayoutError(property.line, "no handler named " + name);
    return handler;
}

void LoadContext::RunDeferred() {
    for (auto& step : deferred_) step();
    deferred_.clear();
}

int IntValue(const layout::Property& property, std::size_t index) {
    return static_cast<int>(ItemAt(property, index, layout::Item::Kind::Number).number);
}

std::string StringValue(const layout::Property& property) {
    return ItemAt(property, 0, layout::Item::Kind::String).text;
}

std::string IdentifierValue(const layout::Property& property, std::size_t index) {
    return ItemAt(property, index, layout::Item::Kind::Identifier).text;
}

bool BoolValue(const layout::Property& property) {
    std::string value = IdentifierValue(property);
    if (value == "true") return true;
    if (value == "false") return false;
    throw layout::LayoutError(property.line, "true or false expected for " + property.name);
}

void UnknownProperty(const layout::Property& property, const std::string& className) {
    throw layout::LayoutError(property.line, className + " has no property " + property.name);
}

void TComponent::SetProperty(const layout::Property& property, LoadContext&) {
    UnknownProperty(property, "component " + name_);
}

}  // namespace toolkit
