#include "Action.h"

#include "Control.h"
#include "LoadContext.h"
#include "Screen.h"

namespace toolkit {

void TAction::SetEnabled(bool enabled) {
    if (enabled_ == enabled) return;
    enabled_ = enabled;
    for (TControl* control : links_) control->ActionChanged();
}

void TAction::Execute() {
    Update();
    if (enabled_) ExecuteTarget();
}

void TAction::ExecuteTarget() {
    if (OnExecute) OnExecute(this);
}

void TAction::SetProperty(const layout::Property& p, LoadContext& context) {
    if (p.name == "Caption")
        caption_ = Utf8ToAnsi(StringValue(p));
    else if (p.name == "Enabled")
        enabled_ = BoolValue(p);
    else if (p.name == "Category")
        ;  // grouping for people reading the layout; the program does not use it
    else if (p.name == "OnExecute")
        OnExecute = context.Handler(p);
    else
        TComponent::SetProperty(p, context);
}

void TActionList::UpdateActions() {
    for (TAction* action : actions_) action->Update();
}

}  // namespace toolkit
