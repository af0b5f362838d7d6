// What a component needs while its form is being read from its layout: the form's event
// handlers by name, the other components by name (once all exist), and the value readers.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "Component.h"
#include "LayoutText.h"

namespace toolkit {

class LoadContext {
public:
    explicit LoadContext(TForm& form) : form_(form) {}

    TForm& Form() const { return form_; }
    // The form's handler of that name; a layout naming an unknown handler is an error.
    TNotifyEvent Handler(const layout::Property& property) const;
    // Runs `step` after every component exists, for properties that name other components.
    void AfterAllCreated(std::function<void()> step) { deferred_.push_back(std::move(step)); }
    void RunDeferred();

private:
    TForm& form_;
    std::vector<std::function<void()>> deferred_;
};

// Value readers: each checks the item count and kinds and raises LayoutError otherwise.
int IntValue(const layout::Property& property, std::size_t index = 0);
std::string StringValue(const layout::Property& property);  // UTF-8 as stored
std::string IdentifierValue(const layout::Property& property, std::size_t index = 0);
bool BoolValue(const layout::Property& property);
[[noreturn]] void UnknownProperty(const layout::Property& property, const std::string& className);

}  // namespace toolkit
