// A top-level window made from its layout. The form owns its components, runs its event
// handlers inside the error guard, gives Tab, arrow, Enter and accelerator keys their
// meaning over its keyboard order, and follows the closing rule.
#pragma once

#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "Control.h"

namespace toolkit {

class TActionList;

class TForm : public TControl {
public:
    // An empty form: a derived class registers its handlers, then loads its layout.
    TForm();
    ~TForm() override;

    TComponent* FindComponent(const std::string& name) const;
    template <class T>
    T* Find(const std::string& name) const {
        return dynamic_cast<T*>(FindComponent(name));
    }
    TNotifyEvent FindHandler(const std::string& name) const;
    HFONT FontHandle() const { return font_; }

    // Showing runs the show handler first (guarded), then puts the window on screen as the
    // active window. Hiding hands activation to another visible window of the program.
    void SetVisible(bool visible) override;
    void Show() { SetVisible(true); }
    void Hide() { SetVisible(false); }
    // The closing rule: the main form ends the program, any other form hides.
    void Close();

    // The controls that Tab walks, in order: by tab order within each container, a
    // container followed by its own children.
    std::vector<TControl*> KeyboardOrder() const;
    TControl* ActiveControl() const;
    void FocusControl(TControl* control);
    // Moves the focus to the next (or previous) control that can take it, wrapping.
    void SelectNext(bool forward);

    // Offers a keyboard message to the form before it is dispatched: shortcuts, then
    // dialog keys, then accelerator letters. True when consumed.
    bool PreTranslateKey(const MSG& message);
    // The form's shortcut test; the action list fills it.
    std::function<bool(const MSG&)> IsShortCut;

    // Updates the actions of this form (the idle step calls it while the form is shown).
    void UpdateActions();

    TNotifyEvent OnCreate;
    TNotifyEvent OnShow;

    void SetProperty(const layout::Property& property, LoadContext& context) override;
    void CreateHandle() override;

protected:
    // Loads the layout resource and builds the form; called by derived classes' constructors
    // after they have registered their handlers.
    void LoadFromResource(const char* resourceName);
    void LoadFromText(const std::string& layoutText);
    void RegisterHandler(const std::string& name, TNotifyEvent handler);
    // Called after loading and before the creation handler, to find the components by name.
    virtual void BindComponents() {}
    // The component of that name and class; a layout without it is a fault of the program.
    template <class T>
    T* Require(const std::string& name) const {
        T* component = Find<T>(name);
        if (!component) throw std::runtime_error("The layout of " + Name() + " has no " + name);
        return component;
    }

private:
    friend class FormLoader;
    static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);
    bool DialogKey(const MSG& message);
    bool AcceleratorKey(const MSG& message);
    void OnActivate(bool active);

    std::vector<std::unique_ptr<TComponent>> components_;
    std::map<std::string, TNotifyEvent> handlers_;
    std::vector<TActionList*> actionLists_;
    HFONT font_ = nullptr;
    std::string fontName_ = "MS Sans Serif";
    int fontHeight_ = -11;
    int clientWidth_ = 0, clientHeight_ = 0;
    bool singleBorder_ = false;
    bool systemMenu_ = false, minimizeBox_ = false, maximizeBox_ = false;
    HWND lastFocus_ = nullptr;
    bool shownOnce_ = false;
};

}  // namespace toolkit
