// A component with a native window: labels, buttons, text boxes, lists, the folder tree,
// and the forms themselves. The layout gives positions in 96-dpi pixels; the control
// scales them to the screen when it makes its window.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "Component.h"

namespace toolkit {

class TAction;

class TControl : public TComponent {
public:
    ~TControl() override;

    HWND Handle() const { return handle_; }
    TControl* Parent() const { return parent_; }
    const std::vector<TControl*>& Children() const { return children_; }

    std::string Caption() const;
    virtual void SetCaption(const std::string& text);
    bool Visible() const { return visible_; }
    virtual void SetVisible(bool visible);
    bool Enabled() const { return enabled_; }
    void SetEnabled(bool enabled);
    int TabOrder() const { return tabOrder_; }
    TAction* Action() const { return action_; }

    // Whether the control can have the keyboard focus now: a focusable kind, shown and
    // enabled (controls outside the visible area count as shown).
    bool CanFocus() const;
    // The letter after a single & in the caption, upper-cased; 0 when none.
    char AcceleratorLetter() const;

    // The keyboard order brought the focus here (Tab or an arrow key).
    virtual void EnteredByKeyboard() {}
    // Whether an accelerator letter may click this control now.
    virtual bool AcceptsAccelerator() const { return false; }
    // A click: runs the bound action, or else the click event.
    virtual void Click();
    TNotifyEvent OnClick;

    // Notifications from the native window, routed by the parent window.
    virtual bool HandleCommand(WORD code);
    virtual bool HandleNotify(const NMHDR& header, LRESULT& result);

    // Makes the native window and those of the children; called once, after loading.
    virtual void CreateHandle();

    void SetProperty(const layout::Property& property, LoadContext& context) override;
    void Loaded() override;

    // The control that owns a native window, or null.
    static TControl* FromHandle(HWND window);

    // Called by the bound action when its state changes.
    void ActionChanged();

protected:
    // Makes the native child window of this control's kind at the control's bounds.
    HWND CreateNative(const char* windowClass, DWORD style, DWORD exStyle = 0);
    // Whether this kind of control ever takes the keyboard focus.
    virtual bool TakesFocus() const { return false; }
    // Pixels of the layout scaled to the screen's density.
    int Scale(int value) const;
    void AttachHandle(HWND window);
    void ApplyFont();

    int left_ = 0, top_ = 0, width_ = 0, height_ = 0;
    std::string caption_;
    bool visible_ = true;
    bool enabled_ = true;
    int tabOrder_ = -1;
    HWND handle_ = nullptr;

private:
    friend class FormLoader;
    TControl* parent_ = nullptr;
    std::vector<TControl*> children_;
    TAction* action_ = nullptr;
};

}  // namespace toolkit
