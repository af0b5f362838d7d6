// Actions: a command with its own caption and enabled state, run by the controls bound to
// it. The action alone owns that state and pushes each change to its controls.
#pragma once

#include <string>
#include <vector>

#include "Component.h"

namespace toolkit {

class TControl;

class TAction : public TComponent {
public:
    const std::string& Caption() const { return caption_; }
    bool Enabled() const { return enabled_; }
    void SetEnabled(bool enabled);

    // Brings the state up to date, then runs the action if it is enabled.
    void Execute();
    // Recomputes the enabled state (the idle step and Execute call it).
    virtual void Update() {}

    TNotifyEvent OnExecute;

    void Link(TControl* control) { links_.push_back(control); }
    void SetProperty(const layout::Property& property, LoadContext& context) override;

protected:
    // What running the action does; by default its execute event.
    virtual void ExecuteTarget();

private:
    std::string caption_;
    bool enabled_ = true;
    std::vector<TControl*> links_;
};

// Holds a form's actions, in layout order.
class TActionList : public TComponent {
public:
    void Add(TAction* action) { actions_.push_back(action); }
    const std::vector<TAction*>& Actions() const { return actions_; }
    // Updates every action's state; the idle step calls it for visible windows.
    void UpdateActions();

private:
    std::vector<TAction*> actions_;
};

}  // namespace toolkit
